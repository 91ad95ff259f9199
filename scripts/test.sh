#!/bin/sh
# Installs what is missing, builds both targets and runs every test under Wine.
#   scripts/test.sh            full run
#   scripts/test.sh -R regex   only the matching tests (passed to ctest)
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

sh scripts/setup.sh

jobs=$(nproc)
# The 32-bit build is the shipping one: it must compile and link cleanly even
# though this machine can only run the 64-bit build.
for target in x86_64 i686; do
    dir=build/$target
    cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-$target.cmake" \
          -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$dir" -j "$jobs"
done

# Windows need a display; xvfb-run -a picks a free one.
exec xvfb-run -a -s "-screen 0 1280x1024x24" sh scripts/run-ctest.sh build/x86_64 "$@"
