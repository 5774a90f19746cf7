#!/usr/bin/env bash
# One dalvimoctl `status` against 100 simulated Quorvans on 100 loopback
# addresses (127.0.1.1 to 127.0.1.100, one simulator process playing them
# all), next to one `status` against one of them: wall time and CPU of each
# run, the median of --rounds runs (5). Builds an optimised dalvimoctl and
# quorvan-sim unless DALVIMO_BIN_CTL and DALVIMO_BIN_SIM name programs.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/setup.sh"

rounds=5
[ "${1:-}" = "--rounds" ] && rounds=$2
count=100
port=27777

ctl=${DALVIMO_BIN_CTL:-}
sim=${DALVIMO_BIN_SIM:-}
if [ -z "$ctl" ] || [ -z "$sim" ]; then
    dalvimo_install_missing
    dir="$DALVIMO_ROOT/build-bench"
    cmake -S "$DALVIMO_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDALVIMO_TESTS=OFF >/dev/null
    cmake --build "$dir" --parallel ${DALVIMO_JOBS:-} --target dalvimoctl quorvan-sim
    ctl="$dir/bin/dalvimoctl"
    sim="$dir/tools/quorvan-sim/quorvan-sim"
fi

"$sim" --quiet --port "$port" --bind "127.0.1.1-127.0.1.$count" >/dev/null &
sim_pid=$!
trap 'kill $sim_pid 2>/dev/null || true' EXIT
servers=$(seq -f "127.0.1.%g:$port" 1 "$count" | paste -sd,)
# Up once the last address answers (bounded).
"$ctl" -s "127.0.1.$count:$port" --timeout 200 --retries 50 ping >/dev/null

# measure LABEL ARGS...: the median wall and user+system CPU seconds.
measure() {
    local label=$1
    shift
    local walls=() cpus=()
    for _ in $(seq "$rounds"); do
        local t TIMEFORMAT='%R %U %S'
        t=$( { time "$ctl" "$@" >/dev/null 2>&1; } 2>&1 | tail -1)
        read -r wall user sys <<<"$t"
        walls+=("$wall")
        cpus+=("$(awk -v u="$user" -v s="$sys" 'BEGIN { print u + s }')")
    done
    local mw mc
    mw=$(printf '%s\n' "${walls[@]}" | sort -n | sed -n "$(((rounds + 1) / 2))p")
    mc=$(printf '%s\n' "${cpus[@]}" | sort -n | sed -n "$(((rounds + 1) / 2))p")
    printf '%-28s wall %6.3f s   CPU %6.3f s\n' "$label" "$mw" "$mc"
    echo "$mw" >"/tmp/dalvimo-bench-$$-$label"
}

echo "status, median of $rounds runs:"
measure one -s "127.0.1.1:$port" status
measure hundred -s "$servers" status
one=$(cat "/tmp/dalvimo-bench-$$-one")
hundred=$(cat "/tmp/dalvimo-bench-$$-hundred")
rm -f /tmp/dalvimo-bench-$$-*
awk -v h="$hundred" -v o="$one" 'BEGIN { printf "ratio of the wall times: %.1f (aim: under 10)\n", h / o }'
