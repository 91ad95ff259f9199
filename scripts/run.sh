#!/bin/sh
# Installs what is missing, builds the 64-bit programs and runs the scheduler
# in a Wine prefix of its own (build/x86_64/runprefix), never the user's.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
sh scripts/setup.sh

dir=build/x86_64
cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir" -j "$(nproc)"

prefix=$(cd "$dir" && pwd)/runprefix
sh scripts/wine-prefix.sh init "$prefix"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
wine=$root/scripts/wine.sh

# The programs and components live together in one folder, as they ship.
bin="$prefix/drive_c/Tarvex"
mkdir -p "$bin"
for f in QvxCmd.dll CSMSGL32.dll CSMTPL32.dll QvxTask.dll QvxStorg.dll Tarvex.exe QvxAdmin.exe qvshutdown.exe; do
    found=$(find "$dir/" -name "$f" -not -path "*/runprefix/*" -not -path "*/wineprefix/*" | head -n 1)
    [ -n "$found" ] && cp -f "$found" "$bin/"
done

registered=""
for dll in QvxCmd.dll QvxTask.dll QvxStorg.dll; do
    if [ -f "$bin/$dll" ]; then
        "$wine" regsvr32 /s "C:\\Tarvex\\$dll" && registered="$registered $dll"
    fi
done
if [ -f "$bin/Tarvex.exe" ]; then
    "$wine" "C:\\Tarvex\\Tarvex.exe" /RegServer && registered="$registered Tarvex.exe"
fi
echo "run: registered${registered:- nothing yet} in $prefix"

if [ ! -f "$bin/Tarvex.exe" ]; then
    echo "run: the engine is not built yet; the components above are registered and ready."
    /usr/lib/wine/wineserver -k || true
    exit 0
fi

# The demo task: written through the task component by a small program
# placed beside the engine, so that its file lands in the engine's "tasks"
# folder. It appends a line to demo.log beside the engine every minute.
demo=$(find "$dir/" -name tvx_demo_task.exe -not -path "*/runprefix/*" -not -path "*/wineprefix/*" | head -n 1)
if [ -n "$demo" ]; then
    cp -f "$demo" "$bin/"
    "$wine" "C:\\Tarvex\\tvx_demo_task.exe" || echo "run: the demo task could not be written"
fi

# The engine, started by hand with its scheduler running (process mode); it
# serves the administrator and any other client while it runs.
seconds=${TARVEX_RUN_SECONDS:-300}
engine_log="$prefix/engine.out"
stopped=""
engine_pid=""
stop_engine() {
    [ -n "$stopped" ] && return
    stopped=1
    if [ -n "$engine_pid" ] && kill -0 "$engine_pid" 2>/dev/null; then
        # The engine stops its scheduler and ends a few seconds later.
        echo "run: stopping the engine"
        "$wine" "C:\\Tarvex\\Tarvex.exe" -Stop >/dev/null 2>&1 || true
        waited=0
        while kill -0 "$engine_pid" 2>/dev/null && [ "$waited" -lt 30 ]; do
            sleep 1
            waited=$((waited + 1))
        done
    fi
    /usr/lib/wine/wineserver -k 2>/dev/null || true
}
trap 'stop_engine; exit 130' INT TERM
trap 'stop_engine' EXIT

"$wine" "C:\\Tarvex\\Tarvex.exe" -Start >"$engine_log" 2>&1 &
engine_pid=$!
echo "run: the engine Tarvex.exe runs in $bin (its output in $engine_log)"
if [ -f "$bin/QvxAdmin.exe" ]; then
    echo "run: the administrator: WINEPREFIX=$prefix $wine 'C:\\Tarvex\\QvxAdmin.exe'"
else
    echo "run: the administrator program is not built yet; the engine runs without one."
fi
echo "run: the demo task writes to $bin/demo.log; stopping in $seconds s (Ctrl-C stops sooner)"

shown=0
elapsed=0
while [ "$elapsed" -lt "$seconds" ] && kill -0 "$engine_pid" 2>/dev/null; do
    sleep 5
    elapsed=$((elapsed + 5))
    if [ -f "$bin/demo.log" ]; then
        lines=$(wc -l <"$bin/demo.log")
        if [ "$lines" -gt "$shown" ]; then
            tail -n $((lines - shown)) "$bin/demo.log" | sed 's/^/demo.log: /'
            shown=$lines
        fi
    fi
done
if ! kill -0 "$engine_pid" 2>/dev/null; then
    echo "run: the engine ended by itself:"
    sed 's/^/engine: /' "$engine_log"
fi
[ "$shown" -gt 0 ] || echo "run: demo.log has no line yet"
