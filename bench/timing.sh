# shellcheck shell=bash
# The timing of the bench scripts, sourced by each: a method METHOD is the shell function
# run_METHOD, timed by bash's own `time` so that no process is started for the timing itself.
# The method's own error output still reaches the script's standard error.

TIMEFORMAT='%3R %3U %3S'

# Runs run_METHOD once; sets elapsed (wall time) and used (processor time, user and system), in
# milliseconds. A method that fails ends the script, as its timing would mean nothing.
time_method() {
    local times real user system
    times="$({ time "run_$1" 2>&3; } 3>&2 2>&1)"
    read -r real user system <<<"$times"
    elapsed=$((10#${real/./}))
    used=$((10#${user/./} + 10#${system/./}))
}

# Runs run_METHOD once, after the disks are synced, and keeps the best wall time and the best
# processor time of its runs so far in wall[METHOD] and cpu[METHOD] (declare -A wall cpu first).
# shellcheck disable=SC2004 # wall and cpu are associative: the key is a name.
measure_best() {
    local method="$1"
    sync
    time_method "$method"
    if [[ -z "${wall[$method]:-}" || $elapsed -lt ${wall[$method]} ]]; then
        wall[$method]="$elapsed"
    fi
    if [[ -z "${cpu[$method]:-}" || $used -lt ${cpu[$method]} ]]; then
        cpu[$method]="$used"
    fi
}
