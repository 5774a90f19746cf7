#!/usr/bin/env bash
# dalvimoctl discover where its broadcasts cannot leave: network namespaces
# this script makes and removes, joined by a bridge of their own. The
# client and each simulator sit in a namespace of their own; nothing is sent
# from, or bound in, the machine's own namespace.
#   discover.sh DALVIMOCTL QUORVAN_SIM [extra check script]
# Skips (77) when not root or without ip. The extra program, if given, runs
# in the client's namespace with DISCOVER_NS_DIR (a folder holding the
# settings file) and the two simulators' addresses in SIM_A and SIM_B.
set -euo pipefail

ctl=$1
simulator=$2
extra=${3:-}

if [ "$(id -u)" -ne 0 ]; then
    echo "SKIP: network namespaces need root"
    exit 77
fi
if ! command -v ip >/dev/null; then
    echo "SKIP: ip (iproute2) is not installed"
    exit 77
fi

tag="dv$$"
hub="${tag}h"
client="${tag}c"
sims=("${tag}a" "${tag}b")
net=10.$((RANDOM % 200 + 20)).$((RANDOM % 250)).
SIM_A=${net}12
SIM_B=${net}13
work=$(mktemp -d)
pids=()

cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for ns in "$client" "${sims[@]}" "$hub"; do ip netns del "$ns" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

ip netns add "$hub"
ip -n "$hub" link add br0 type bridge
ip -n "$hub" link set br0 up
join() { # join NAMESPACE ADDRESS
    local ns=$1 addr=$2
    ip netns add "$ns"
    ip -n "$ns" link set lo up
    ip link add "${ns}x" netns "$ns" type veth peer name "${ns}y" netns "$hub"
    ip -n "$ns" link set "${ns}x" name eth0
    ip -n "$ns" addr add "$addr/24" brd + dev eth0
    ip -n "$ns" link set eth0 up
    ip -n "$hub" link set "${ns}y" master br0 up
}
join "$client" "${net}11"
join "${sims[0]}" "$SIM_A"
join "${sims[1]}" "$SIM_B"

# The program copied beside a settings file of its own (the window's file
# is found beside the program).
cp "$ctl" "$work/dalvimoctl"
cfg="$work/dalvimo.cfg"
# The file is Windows-1251, as the window writes it.
printf '[General]\r\nClockIP_1=192.168.77.5|Дача\r\nClockIP_2=%s|Кухня\r\nSelectIPNum=1\r\nAutoPing=0\r\n' \
    "$SIM_B" | iconv -f UTF-8 -t CP1251 >"$cfg"

export ASAN_OPTIONS=detect_leaks=0
for i in 0 1; do
    ip netns exec "${sims[$i]}" timeout 120 "$simulator" --bind 0.0.0.0 --quiet >"$work/sim$i.log" 2>&1 &
    pids+=($!)
done
inclient() { ip netns exec "$client" timeout 60 "$@"; }

fail() { echo "FAIL: $*"; exit 1; }

# A sanitized simulator on a busy machine can take seconds to start: wait
# until each says it listens (or has died), then until it answers a ping
# across the bridge; both waits are bounded.
for i in 0 1; do
    for _ in $(seq 600); do
        grep -q "listening on UDP" "$work/sim$i.log" && break
        kill -0 "${pids[$i]}" 2>/dev/null || break
        sleep 0.1
    done
    grep -q "listening on UDP" "$work/sim$i.log" || { cat "$work/sim$i.log"; fail "simulator $i did not start"; }
done
for addr in "$SIM_A" "$SIM_B"; do
    inclient "$work/dalvimoctl" -s "$addr" --timeout 200 --retries 50 ping >/dev/null || fail "$addr never answered"
done

out=$(inclient "$work/dalvimoctl" discover --timeout 1000) || fail "discover: exit $?"
echo "$out"
[ "$(echo "$out" | wc -l)" -eq 2 ] || fail "two hosts expected, each once"
echo "$out" | sed -n 1p | grep -q "^${SIM_A}:17777  [0-9,]* мс$" || fail "first line: $SIM_A without caption"
echo "$out" | sed -n 2p | grep -q "^${SIM_B}:17777  [0-9,]* мс  Кухня$" || fail "second line: $SIM_B with its caption"

json=$(inclient "$work/dalvimoctl" discover --json) || fail "discover --json: exit $?"
echo "$json"
echo "$json" | grep -q "\"address\":\"${SIM_A}\"" || fail "JSON lacks $SIM_A"
echo "$json" | grep -q "\"caption\":\"Кухня\"" || fail "JSON lacks the caption"

# --save adds the two the list lacks, keeps every other line.
printf '[General]\r\nClockIP_1=192.168.77.5|Дача\r\nSelectIPNum=1\r\n[Other]\r\nKey=значение\r\n' |
    iconv -f UTF-8 -t CP1251 >"$cfg"
before=$(cat "$cfg")
inclient "$work/dalvimoctl" discover --save >/dev/null || fail "discover --save: exit $?"
echo "--- $cfg after --save"; iconv -f CP1251 -t UTF-8 "$cfg"
grep -q "^ClockIP_2=${SIM_A}|Quorvan ${SIM_A}"$'\r'"$" "$cfg" || fail "ClockIP_2 for $SIM_A not written"
grep -q "^ClockIP_3=${SIM_B}|Quorvan ${SIM_B}"$'\r'"$" "$cfg" || fail "ClockIP_3 for $SIM_B not written"
[ "$(grep -c '^ClockIP_' "$cfg")" -eq 3 ] || fail "exactly two entries added"
while IFS= read -r line; do
    grep -qxF -- "$line" "$cfg" || fail "line lost: $line"
done <<<"$before"

# Found again, nothing new: the file is not touched.
stamp=$(stat -c %Y.%s "$cfg"); sum=$(md5sum <"$cfg")
sleep 1
inclient "$work/dalvimoctl" discover --save >/dev/null || fail "second --save: exit $?"
[ "$(stat -c %Y.%s "$cfg")" = "$stamp" ] && [ "$(md5sum <"$cfg")" = "$sum" ] || fail "file rewritten with nothing new"

if [ -n "$extra" ]; then
    QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} DISCOVER_NS_DIR=$work SIM_A=$SIM_A SIM_B=$SIM_B ip netns exec "$client" timeout 120 "$extra" || fail "extra check"
fi

# Nobody left to answer: exit 2.
for pid in "${pids[@]}"; do kill "$pid"; wait "$pid" 2>/dev/null || true; done
pids=()
set +e
inclient "$work/dalvimoctl" discover --timeout 300 >/dev/null 2>&1
status=$?
set -e
[ "$status" -eq 2 ] || fail "nobody answering: exit $status, 2 expected"
echo "PASS"
