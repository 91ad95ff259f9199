#!/bin/sh
# bench-engine.sh BUILD_DIR [engine_bench options...]
# Runs the engine benchmark of a built tree (target engine_bench) in a Wine
# prefix made fresh for it (BUILD_DIR/benchprefix): registers the command,
# task and storage components where they were built and the engine copy
# beside the benchmark, as the engine tests' fixtures do, then runs
# engine_bench.exe with the options given, e.g.
#     sh scripts/bench-engine.sh build/x86_64                   # the full run, about 3 minutes
#     sh scripts/bench-engine.sh build/x86_64 --idle-seconds 10 # a quick one
# The benchmark fills the engine copy's "tasks" folder and settings file; do
# not run it while that build's engine tests run. Its exit code is the
# benchmark's: 0 all goals met, 1 a goal missed, 2 it could not run.
build=$1
[ -n "$build" ] && [ -d "$build" ] || { echo "usage: $0 BUILD_DIR [engine_bench options...]" >&2; exit 2; }
shift
build=$(cd "$build" && pwd)
scripts=$(cd "$(dirname "$0")" && pwd)

# The window and application watches of the benchmark's tasks look at the
# desktop, which Wine only has with a display.
if [ -z "$DISPLAY" ] && [ -z "$TARVEX_BENCH_UNDER_XVFB" ] && command -v xvfb-run >/dev/null 2>&1; then
    TARVEX_BENCH_UNDER_XVFB=1 exec xvfb-run -a sh "$0" "$build" "$@"
fi

bench="$build/tests/engine/engine_bench.exe"
engine="$build/tests/engine/Tarvex.exe"
for f in "$bench" "$engine" "$build/command/QvxCmd.dll" "$build/task/QvxTask.dll" "$build/storage/QvxStorg.dll"; do
    [ -f "$f" ] || { echo "bench-engine: $f is missing; build the target engine_bench first" >&2; exit 2; }
done

prefix="$build/benchprefix"
rm -rf "$prefix" "$prefix.lock"
# The server lives until stopped, so the engine and the benchmark meet in one.
sh "$scripts/wine-prefix.sh" init "$prefix" "" || exit 2
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
wine=$scripts/wine.sh
trap 'sh "$scripts/wine-prefix.sh" stop "$prefix"' EXIT

windows_path() { printf 'Z:%s' "$1" | sed 's|/|\\|g'; }

for dll in command/QvxCmd.dll task/QvxTask.dll storage/QvxStorg.dll; do
    "$wine" regsvr32 /s "$(windows_path "$build/$dll")" </dev/null >/dev/null 2>&1 ||
        { echo "bench-engine: registering $dll failed" >&2; exit 2; }
done
"$wine" "$(windows_path "$engine")" /RegServer </dev/null >/dev/null 2>&1 ||
    { echo "bench-engine: registering the engine copy failed" >&2; exit 2; }

echo "bench-engine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //'), $("$wine" --version)"
"$wine" "$(windows_path "$bench")" "$@" </dev/null
