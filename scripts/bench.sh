#!/usr/bin/env bash
# Builds and runs the relayout and loupe benchmarks under Wine on a private display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MENSURO_BUILD_DIR:-$root/build}/win64

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw64.cmake" -DMENSURO_TESTS=ON >/dev/null
# The live-resize comparison starts the real program beside the benchmark: build both.
cmake --build "$build" --target mensuro_bench loupe_bench measure_bench Mensuro -j "$(nproc)"
. "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
# A desktop large enough to show the largest ruler whole, so every copy is a full one.
wine_env_start 3840x2160
if ! wine "$build/bin/mensuro_bench.exe"; then
    echo "benchmark FAILED (see above)" >&2
    exit 1
fi
echo
wine "$build/bin/loupe_bench.exe" || { echo "loupe benchmark FAILED" >&2; exit 1; }
echo
wine "$build/bin/measure_bench.exe" || { echo "Measure mode benchmark FAILED" >&2; exit 1; }
