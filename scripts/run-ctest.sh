#!/bin/sh
# run-ctest.sh BUILD_DIR [ctest args...]
# Runs CTest in a Wine prefix made fresh for this run inside the build tree and
# stops every Wine process of that prefix afterwards, pass or fail.
build=$1; shift
build=$(cd "$build" && pwd)
prefix=$build/wineprefix
scripts=$(cd "$(dirname "$0")" && pwd)

# One run per build tree: a second one would remove the prefix under the
# first and unregister the components its tests are using.
exec 8>"$build/run-ctest.lock"
if ! flock -n 8; then
    echo "run-ctest: another test run is using $build" >&2
    exit 1
fi

rm -rf "$prefix" "$prefix.lock"
# One server for the whole run keeps each program start cheap.
# (The lock stays with this shell: no program started here inherits it.)
"$scripts/wine-prefix.sh" init "$prefix" "" 8>&- || exit 1
export WINEPREFIX="$prefix"

# The desktop stays open for the whole run (see tests/support/desktop_keeper.cpp):
# a desktop process started by a test would hold that test's output open.
keeper=$build/tests/support/tvx_desktop_keeper.exe
if [ -n "${DISPLAY:-}" ] && [ -f "$keeper" ]; then
    ready=$prefix/drive_c/desktop-keeper.ready
    "$build/wine-run.sh" "$keeper" 'C:\desktop-keeper.ready' </dev/null >/dev/null 2>&1 8>&- &
    i=0
    while [ ! -f "$ready" ] && [ $i -lt 300 ]; do
        sleep 0.1
        i=$((i + 1))
    done
    [ -f "$ready" ] || echo "run-ctest: the desktop keeper did not start" >&2
fi

rc=0
ctest --test-dir "$build" --output-on-failure --timeout 300 -j 4 "$@" 8>&- || rc=$?
"$scripts/wine-prefix.sh" stop "$prefix"
exit $rc
