#!/usr/bin/env bash
# The bash completion of nameshift-cli offers every command and every long option that
# `nameshift-cli --help` lists, and nothing else.
# Usage: bash-completion-test.sh COMPLETION_FILE NAMESHIFT_CLI
set -euo pipefail
completion="$1"
program="$2"

# shellcheck source=/dev/null
source "$completion"

# What the function offers for the command line "nameshift-cli WORDS...", the last word being the
# one completed.
complete_line() {
    COMP_WORDS=(nameshift-cli "$@")
    COMP_CWORD=$#
    COMPREPLY=()
    _nameshift_cli
    printf '%s\n' "${COMPREPLY[@]}" | sort
}

help="$("$program" --help)"
expected_options="$(sed -n '/^Options:/,/^$/p' <<<"$help" |
    grep -oE -- '^  (-[a-z0-9h],)?--[a-z0-9-]+' | sed 's/.*,//; s/^ *//' | sort -u)"
expected_commands="$(sed -n '/^Subcommands:/,/^$/p' <<<"$help" | awk 'NF && !/:$/ {print $1}' | sort)"

failed=0
check() {
    local what="$1" got="$2" expected="$3"
    if [[ "$got" != "$expected" ]]; then
        echo "FAIL: $what"
        diff <(echo "$expected") <(echo "$got") || true
        failed=1
    fi
}

check "long options" "$(complete_line --)" "$expected_options"
check "commands" "$(complete_line '')" "$expected_commands"
check "commands after options" "$(complete_line --prefix x --lower '')" "$expected_commands"
check "nothing after a command" "$(complete_line --lower apply '')" ""
check "a key of --sort" "$(complete_line --sort s)" "size"
exit "$failed"
