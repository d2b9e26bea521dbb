#!/usr/bin/env bash
# The layering check: a file under src/ may include from its own folder and
# from the folders below it, never from one above. The order, bottom first,
# is written here once. Exits 1 and names each offending include; lists the
# allowed exceptions that remain (they are debts, each with its reason).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)

# Bottom first. "." is the Simulator itself and its records of state.
layers=(
    records   # kinds and records: routers, console screen, lessons, windows
    platform  # the application folder and the error log
    progress  # the study record: clock, card scheduling, the record file
    content   # the read-only content database
    .         # the Simulator: every record of a run
    console   # the router's terminal: keys, editing, history, paging, printing
    registry  # the command rows, dispatch, Tab and "?"
    config    # configuration rules
    status    # show commands, topology, ping
    session   # enable, disable, reload, logout, copy and TFTP, Enter's meaning
    learning  # activities, lessons, grading, flash cards
    shell     # the menu tree, the side panel's rules, diagrams
    assembly  # the one place that knows every subsystem
    desktop   # the windows (Qt)
)

# Includes that may run upwards, as "file include", each with its reason.
# None today; the list stays so a future exception is written down here.
allowed=()

rank() {
    local i
    for i in "${!layers[@]}"; do
        if [ "${layers[$i]}" = "$1" ]; then
            echo "$i"
            return
        fi
    done
    echo -1
}

status=0
declare -A seen=()
while IFS= read -r file; do
    rel=${file#"$top"/}
    dir=$(dirname "${rel#src/}")
    own=$(rank "$dir")
    if [ "$own" -lt 0 ]; then
        echo "layers: $rel is in a folder with no place in the order" >&2
        status=1
        continue
    fi
    while IFS= read -r inc; do
        incDir=$(dirname "$inc")
        other=$(rank "$incDir")
        [ "$other" -lt 0 ] && continue # a system or third-party header
        [ "$other" -le "$own" ] && continue
        key="$rel $inc"
        if [ ${#allowed[@]} -gt 0 ] && printf '%s\n' "${allowed[@]}" | grep -qxF "$key"; then
            seen[$key]=1
            continue
        fi
        echo "layers: $rel includes $inc from a folder above its own ($dir < $incDir)" >&2
        status=1
    done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find "$top/src" -name '*.h' -o -name '*.cpp' | sort)

for key in "${allowed[@]}"; do
    if [ -z "${seen[$key]:-}" ]; then
        echo "layers: the exception \"$key\" is gone: take it off the list" >&2
        status=1
    fi
done
if [ "$status" -eq 0 ]; then
    echo "layers: no folder includes a folder above it (${#allowed[@]} known exceptions)"
fi
exit $status
