#!/bin/sh
# run-ctest.sh BUILD_DIR [ctest args...]
# Runs CTest in a Wine prefix made fresh for this run inside the build tree and
# stops every Wine process of that prefix afterwards, pass or fail.
build=$1; shift
prefix=$(cd "$build" && pwd)/wineprefix
scripts=$(cd "$(dirname "$0")" && pwd)

rm -rf "$prefix" "$prefix.lock"
# One server for the whole run keeps each program start cheap.
"$scripts/wine-prefix.sh" init "$prefix" "" || exit 1
export WINEPREFIX="$prefix"

rc=0
ctest --test-dir "$build" --output-on-failure --timeout 300 -j 4 "$@" || rc=$?
"$scripts/wine-prefix.sh" stop "$prefix"
exit $rc
