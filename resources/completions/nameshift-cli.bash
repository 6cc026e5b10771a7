# bash completion for nameshift-cli

_nameshift_cli() {
    local current=${COMP_WORDS[COMP_CWORD]}
    local previous=${COMP_WORDS[COMP_CWORD - 1]}
    local commands='list preview apply restore save-settings init-settings recover help'
    local options='-h --help --version --settings-dir --no-settings --saved-rules
        --dir --mask --select
        --attributes --sort --prefix --prefix-at --counter --counter-digits --counter-at --ext
        --ext-at --remove-spaces --remove-brackets --remove-tildes --remove-hyphens --remove
        --replace --with --lower --upper --title --id3 --id3-format --id3-mode -0 --null
        --restore-file --no-restore-file --yes -v --verbose -q --quiet'
    local sort_keys='date extension name size' positions='begin end replace'

    # "--option=value" comes in as three words, "--option", "=" and the value.
    if [[ $current == = ]]; then
        current=''
    elif [[ $previous == = ]]; then
        previous=${COMP_WORDS[COMP_CWORD - 2]}
    elif [[ $current == --*=* ]]; then
        previous=${current%%=*}
        current=${current#*=}
    fi

    case $previous in
        --settings-dir | --dir)
            mapfile -t COMPREPLY < <(compgen -d -- "$current")
            return
            ;;
        --sort) mapfile -t COMPREPLY < <(compgen -W "$sort_keys" -- "$current") ;;
        --prefix-at | --ext-at) mapfile -t COMPREPLY < <(compgen -W "$positions" -- "$current") ;;
        --counter-at) mapfile -t COMPREPLY < <(compgen -W 'prepend append' -- "$current") ;;
        --counter-digits) mapfile -t COMPREPLY < <(compgen -W '1 2 3 4' -- "$current") ;;
        --id3-mode) mapfile -t COMPREPLY < <(compgen -W '0 1 2' -- "$current") ;;
        --mask | --select | --attributes | --prefix | --counter | --ext | --remove | --replace | \
            --with | --id3-format)
            COMPREPLY=()
            ;;
        *) _nameshift_cli_word "$current" ;;
    esac
}

# A command, an option, or what the command before takes. A command's own options come first:
# "recover --u" means --undo, not --upper.
_nameshift_cli_word() {
    local current=$1 command='' word
    for word in "${COMP_WORDS[@]:1:COMP_CWORD-1}"; do
        case $word in
            list | preview | apply | restore | save-settings | init-settings | recover | help)
                command=$word
                break
                ;;
        esac
    done
    if [[ $current == -* ]]; then
        local own=''
        case $command in
            apply) own='--dry-run' ;;
            recover) own='--undo --finish' ;;
        esac
        mapfile -t COMPREPLY < <(compgen -W "$own" -- "$current")
        if ((${#COMPREPLY[@]} == 0)); then
            mapfile -t COMPREPLY < <(compgen -W "$options" -- "$current")
        fi
        return
    fi
    case $command in
        '') mapfile -t COMPREPLY < <(compgen -W "$commands" -- "$current") ;;
        help) mapfile -t COMPREPLY < <(compgen -W "${commands% help}" -- "$current") ;;
        restore) mapfile -t COMPREPLY < <(compgen -f -X '!*.dat' -- "$current") ;;
    esac
}
complete -F _nameshift_cli nameshift-cli
