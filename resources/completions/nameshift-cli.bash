# bash completion for nameshift-cli

_nameshift_cli() {
    local current=${COMP_WORDS[COMP_CWORD]}
    local previous=${COMP_WORDS[COMP_CWORD - 1]}
    local commands='list preview apply restore save-settings init-settings recover presets
        save-preset delete-preset history undo redo help'
    local options='-h --help --version --settings-dir --no-settings --saved-rules --preset
        --dir --mask --select
        --attributes --sort --natural --number-duplicates --prefix --prefix-at --counter
        --counter-digits --counter-at --continue-counter --ext --ext-at --remove-spaces --remove-brackets
        --remove-tildes --remove-hyphens --remove --replace --with --regex --all --ignore-case
        --insert --insert-at --insert-from-end --remove-chars --remove-at --remove-from-end
        --trim --remove-accents --ascii --lower --upper --title --case-scope --lower-ext --id3
        --id3-format --id3-mode --date-format -0 --null --restore-file --no-restore-file --history-only --yes -v --verbose
        -q --quiet'
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
        --counter-digits) mapfile -t COMPREPLY < <(compgen -W '1 2 3 4 5 6' -- "$current") ;;
        --case-scope) mapfile -t COMPREPLY < <(compgen -W 'name ext both' -- "$current") ;;
        --preset) _nameshift_cli_presets "$current" ;;
        --id3-mode) mapfile -t COMPREPLY < <(compgen -W '0 1 2' -- "$current") ;;
        --mask | --select | --attributes | --prefix | --counter | --ext | --remove | --replace | \
            --with | --id3-format | --date-format | --insert | --insert-at | --remove-chars | --remove-at)
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
            list | preview | apply | restore | save-settings | init-settings | recover | presets | \
                save-preset | delete-preset | history | undo | redo | help)
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
        save-preset | delete-preset) _nameshift_cli_presets "$current" ;;
    esac
}

# The names of the saved presets, the files of the presets folder.
_nameshift_cli_presets() {
    local folder=${XDG_CONFIG_HOME:-}
    [[ $folder == /* ]] || folder=$HOME/.config
    folder=$folder/nameshift/presets
    COMPREPLY=()
    [[ -d $folder ]] || return
    local name
    while IFS= read -r -d '' name; do
        name=${name##*/}
        [[ $name == "$1"* ]] && COMPREPLY+=("$name")
    done < <(find "$folder" -mindepth 1 -maxdepth 1 -type f ! -name '.*~' -print0)
}
complete -F _nameshift_cli nameshift-cli
