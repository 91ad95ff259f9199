#!/bin/sh
# own_prefix_test.sh HELPER PROBE WORK_DIR SCRIPTS_DIR
# Runs the real shutdown helper in a Wine prefix made for this test alone:
# its exit-Windows call ends every program of that prefix and of no other.
# Probe windows record the end-session messages they get.
set -u
helper=$1
probe=$2
work=$3
scripts=$4
WINE=$scripts/wine.sh
WINESERVER=/usr/lib/wine/wineserver

if [ -z "${DISPLAY:-}" ]; then
    echo "FAILED: windows need a display: run CTest under xvfb-run"
    exit 1
fi

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
cleanup() {
    "$WINESERVER" -k </dev/null >/dev/null 2>&1
    "$WINESERVER" -w </dev/null >/dev/null 2>&1
    rm -rf "$work"
}
trap cleanup EXIT
"$scripts/wine-prefix.sh" init "$WINEPREFIX" || { echo "FAILED: no Wine prefix"; exit 1; }

failures=0
fail() {
    echo "FAILED: $*"
    failures=$((failures + 1))
}

# start_probe NAME MODE: a probe window recording to $work/NAME.txt; its
# process id goes to $work/NAME.pid.
start_probe() {
    record=$(printf 'Z:%s' "$work/$1.txt" | tr / '\\')
    "$WINE" "$probe" "$record" "$2" </dev/null >/dev/null 2>&1 &
    echo $! >"$work/$1.pid"
}

# wait_ready NAME: true once the probe's window is up.
wait_ready() {
    i=0
    while [ $i -lt 200 ]; do
        grep -q '^READY ' "$work/$1.txt" 2>/dev/null && return 0
        sleep 0.1
        i=$((i + 1))
    done
    return 1
}

# wait_ended NAME: true once the probe's process is gone.
wait_ended() {
    pid=$(cat "$work/$1.pid")
    i=0
    while [ $i -lt 200 ]; do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
        i=$((i + 1))
    done
    kill "$pid" 2>/dev/null
    return 1
}

# messages NAME: the recorded messages, without the READY line.
messages() {
    grep -v '^READY ' "$work/$1.txt" | tr -d '\r'
}

# expect_messages NAME LINE...: the probe recorded exactly these lines.
expect_messages() {
    name=$1
    shift
    expected=$(printf '%s\n' "$@")
    actual=$(messages "$name")
    [ "$actual" = "$expected" ] || fail "$name recorded [$actual], expected [$expected]"
}

run_helper() {
    timeout 60 "$WINE" "$helper" "$@" </dev/null >/dev/null 2>&1
}

# A plain log-off leaves the ending to the system: the helper sends nothing
# itself and ends normally.
start_probe plain answer
wait_ready plain || fail "plain probe did not start"
run_helper /t LOGOFF /w 2
rc=$?
[ $rc -eq 0 ] || fail "plain log-off: helper exit code $rc"
wait_ended plain || fail "plain log-off left the probe running"
messages plain | grep -q '^QUERYENDSESSION ' || fail "plain log-off: no WM_QUERYENDSESSION"
messages plain | grep -q '^ENDSESSION 1 ' || fail "plain log-off: no WM_ENDSESSION"
messages plain | grep -q '^QUIT ' && fail "plain log-off: the helper sent WM_QUIT itself"

# A forced log-off: every window is asked by the helper with the log-off
# flag; the windows that do not answer in time do not stop the end.
start_probe answer answer
start_probe slow slow
start_probe hung hung
for name in answer slow hung; do
    wait_ready $name || fail "$name probe did not start"
done
run_helper /t FORCELOGOFF /w 2
for name in answer slow hung; do
    wait_ended $name || fail "forced log-off left the $name probe running"
done
expect_messages answer "QUIT 0 80000000" "QUERYENDSESSION 0 80000000" "ENDSESSION 1 80000000"
expect_messages slow "QUIT 0 80000000" "QUERYENDSESSION 0 80000000"
expect_messages hung

# A forced restart asks without the log-off flag.
start_probe restart answer
wait_ready restart || fail "restart probe did not start"
run_helper /t FORCEREBOOT /w 2
wait_ended restart || fail "forced restart left the probe running"
expect_messages restart "QUIT 0 0" "QUERYENDSESSION 0 0" "ENDSESSION 1 0"

if [ $failures -ne 0 ]; then
    exit 1
fi
echo "own prefix test passed"
