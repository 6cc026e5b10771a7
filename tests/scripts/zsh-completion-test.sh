#!/usr/bin/env bash
# The zsh completion of nameshift-cli is valid zsh and names every option that the tool's help
# and each command's help list.
# Usage: zsh-completion-test.sh COMPLETION_FILE NAMESHIFT_CLI
set -euo pipefail
completion="$1"
program="$2"

zsh -n "$completion" || { echo "FAIL: zsh -n $completion" && exit 1; }
failed=0
help="$("$program" --help)"
commands="$(sed -n '/^Subcommands:/,/^$/p' <<<"$help" | awk 'NF && !/:$/ {print $1}')"
for command in "" $commands; do
    for option in $("$program" $command --help | sed -n '/^Options:/,/^$/p' |
        grep -oE -- '^  (-[a-z0-9],)? ?--?[a-z0-9-]+' | tr -d ' ' | tr ',' '\n'); do
        # As '--option[', '--option=[' or within {-v,--verbose}.
        grep -qE -- "(^|[{,'\"*)])$option([]=[,}]|$)" "$completion" ||
            { echo "FAIL: $command $option is not completed" && failed=1; }
    done
    [[ -z "$command" ]] || grep -q "'$command:" "$completion" ||
        { echo "FAIL: the command $command is not completed" && failed=1; }
done
exit "$failed"
