#!/usr/bin/env bash
# Builds Mensuro and runs it under Wine. With a display ($DISPLAY), the ruler
# opens there until you choose "Exit". Without one, it runs on a private Xvfb
# display: a screenshot is taken, the ruler is ended through its own "Exit"
# (so its options are saved) and the display is stopped.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MENSURO_BUILD_DIR:-$root/build}/app64

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw64.cmake" >/dev/null
cmake --build "$build" --target Mensuro RulerCtl -j "$(nproc)"
exe="$build/bin/Mensuro.exe"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
    echo "Starting Mensuro on $DISPLAY (right-click the ruler for its menu; \"Exit\" ends it)."
    WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml=" wine "$exe"
    exit 0
fi

. "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
wine_env_start
shot=${MENSURO_SCREENSHOT:-$root/build/mensuro-screenshot.png}
wine "$exe" &
ruler=$!
wine "$build/bin/RulerCtl.exe" wait
sleep 1
import -window root "$shot"
echo "Screenshot: $shot"
wine "$build/bin/RulerCtl.exe" exit
wait "$ruler"
echo "Mensuro ended through Exit; options saved in the session's registry:"
wine reg query "HKCU\\SOFTWARE\\Veltrin's Applications\\Mensuro\\CMensuroDlg" | sed -n '3,16p'
