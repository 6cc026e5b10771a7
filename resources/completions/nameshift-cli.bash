# bash completion for nameshift-cli

_nameshift_cli() {
    local current=${COMP_WORDS[COMP_CWORD]}
    local previous=${COMP_WORDS[COMP_CWORD - 1]}
    local commands='list preview apply restore save-settings init-settings recover help'
    local options='--help --version --settings-dir --saved-rules --no-settings --dir --mask --select
        --attributes --sort --prefix --prefix-at --counter --counter-digits --counter-at --ext
        --ext-at --remove-spaces --remove-brackets --remove-tildes --remove-hyphens --remove
        --replace --with --lower --upper --title --id3 --id3-format --id3-mode --null
        --restore-file --no-restore-file --yes --verbose --quiet'

    case $previous in
        --settings-dir | --dir)
            mapfile -t COMPREPLY < <(compgen -d -- "$current")
            return
            ;;
        --sort) mapfile -t COMPREPLY < <(compgen -W 'date extension name size' -- "$current") ;;
        --prefix-at | --ext-at)
            mapfile -t COMPREPLY < <(compgen -W 'begin end replace' -- "$current")
            ;;
        --counter-at) mapfile -t COMPREPLY < <(compgen -W 'prepend append' -- "$current") ;;
        --counter-digits) mapfile -t COMPREPLY < <(compgen -W '1 2 3 4' -- "$current") ;;
        --id3-mode) mapfile -t COMPREPLY < <(compgen -W '0 1 2' -- "$current") ;;
        --mask | --select | --attributes | --prefix | --counter | --ext | --remove | --replace | \
            --with | --id3-format)
            COMPREPLY=()
            ;;
        *)
            if [[ $current == -* ]]; then
                mapfile -t COMPREPLY < <(compgen -W "$options" -- "$current")
                return
            fi
            local word
            for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
                case $word in
                    restore)
                        mapfile -t COMPREPLY < <(compgen -f -X '!*.dat' -- "$current")
                        return
                        ;;
                    list | preview | apply | save-settings | init-settings | recover) return ;;
                esac
            done
            mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$current")
            ;;
    esac
}
complete -F _nameshift_cli nameshift-cli
