#!/usr/bin/env bash
# The bash completion of nameshift-cli offers every command, every option and every value of a
# choice that the tool's own help lists, with each command's options after that command. A zsh
# completion, when given, is valid zsh and names every such option.
# Usage: bash-completion-test.sh COMPLETION_FILE NAMESHIFT_CLI [ZSH_COMPLETION_FILE]
set -euo pipefail
completion="$1"
program="$2"
zsh_completion="${3:-}"

# shellcheck source=/dev/null
source "$completion"

# What the function offers for the command line "nameshift-cli WORDS...", the last word being the
# one completed, split at "=" as bash splits it.
complete_line() {
    local words=()
    read -ra words <<<"${*//=/ = }"
    [[ "${*: -1}" == "" || "${*: -1}" == *= ]] && words+=("")
    COMP_WORDS=(nameshift-cli "${words[@]}")
    COMP_CWORD=${#words[@]}
    COMPREPLY=()
    _nameshift_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort
}

# The options of a help text ("  -v, --verbose", "  --sort date|name"), one a line.
options_of() {
    sed -n '/^Options:/,/^$/p' | grep -oE -- '^  (-[a-z0-9],)? ?--?[a-z0-9-]+' |
        tr -d ' ' | tr ',' '\n' | sort -u
}

failed=0
check() {
    local what="$1" got="$2" expected="$3"
    if [[ "$got" != "$expected" ]]; then
        echo "FAIL: $what"
        diff <(echo "$expected") <(echo "$got") || true
        failed=1
    fi
}
offers() {
    local what="$1" got="$2" wanted="$3"
    grep -qxF -- "$wanted" <<<"$got" || { echo "FAIL: $what does not offer $wanted" && failed=1; }
}

help="$("$program" --help)"
commands="$(sed -n '/^Subcommands:/,/^$/p' <<<"$help" | awk 'NF && !/:$/ {print $1}')"

for option in $(options_of <<<"$help"); do
    offers "$option" "$(complete_line "$option")" "$option"
    offers "$option after a command" "$(complete_line --lower preview "$option")" "$option"
    # A choice's values, after a blank and after "=".
    values="$(grep -oE -- "[ ,]$option [a-z0-9]+(\|[a-z0-9]+)+" <<<"$help" | sed 's/.* //')" ||
        continue
    check "values of $option" "$(complete_line "$option" '')" "$(tr '|' '\n' <<<"$values" | sort)"
    check "values of $option=" "$(complete_line "$option=")" "$(tr '|' '\n' <<<"$values" | sort)"
done
for command in $commands; do
    offers "$command" "$(complete_line '')" "$command"
    offers "$command after options" "$(complete_line --prefix x --lower "${command:0:3}")" \
        "$command"
    for option in $(options_of < <("$program" "$command" --help)); do
        offers "$command $option" "$(complete_line "$command" "$option")" "$option"
    done
done
if [[ -n "$zsh_completion" ]]; then
    zsh -n "$zsh_completion" || { echo "FAIL: zsh -n $zsh_completion" && failed=1; }
    # As '--option[', '--option=[' or within {-v,--verbose}.
    every_help="$(for command in "" $commands; do "$program" $command --help; done)"
    for option in $(options_of <<<"$every_help"); do
        grep -qE -- "(^|[{,'\"*)])$option([]=[,}]|$)" "$zsh_completion" ||
            { echo "FAIL: zsh does not complete $option" && failed=1; }
    done
fi
check "a command's own option first" "$(complete_line recover --u)" "--undo"
check "nothing after a command" "$(complete_line --lower apply '')" ""
check "a key of --sort" "$(complete_line --sort s)" "size"
exit "$failed"
