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
wine=/usr/lib/wine/wine64

# The programs and components live together in one folder, as they ship.
bin="$prefix/drive_c/Tarvex"
mkdir -p "$bin"
for f in QvxCmd.dll QvxTask.dll QvxStorg.dll Tarvex.exe QvxAdmin.exe QVShutdown.exe; do
    found=$(find "$dir" -name "$f" -not -path "*/runprefix/*" -not -path "*/wineprefix/*" | head -n 1)
    [ -n "$found" ] && cp -f "$found" "$bin/"
done

registered=""
for dll in QvxCmd.dll QvxTask.dll QvxStorg.dll; do
    if [ -f "$bin/$dll" ]; then
        $wine regsvr32 /s "C:\\Tarvex\\$dll" && registered="$registered $dll"
    fi
done
if [ -f "$bin/Tarvex.exe" ]; then
    $wine "C:\\Tarvex\\Tarvex.exe" /RegServer && registered="$registered Tarvex.exe"
fi
echo "run: registered${registered:- nothing yet} in $prefix"

if [ ! -f "$bin/Tarvex.exe" ]; then
    echo "run: the engine is not built yet; the components above are registered and ready."
    /usr/lib/wine/wineserver -k || true
    exit 0
fi
