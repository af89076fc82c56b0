#!/usr/bin/env bash
# Takes the user guide's pictures from the real program under Xvfb + Wine and
# writes them to docs/images: the ruler over a window with guide lines, the same
# at 150 % display scale, the menu with icons, and every dialog in English and in
# Japanese. Run it again after any change that shows on screen.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MENSURO_BUILD_DIR:-$root/build}/win64

"$root/scripts/install-deps.sh"
# Wine draws Japanese text with the system's fonts; a Japanese one must be there.
if ! dpkg-query -W -f='${Status}' fonts-ipafont-gothic 2>/dev/null | grep -q 'ok installed'; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends fonts-ipafont-gothic >/dev/null
fi
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw64.cmake" -DMENSURO_TESTS=ON >/dev/null
cmake --build "$build" --target Mensuro GuideShots -j "$(nproc)"

. "$root/scripts/wine-env.sh"
trap wine_env_stop EXIT
shots=$(mktemp -d)
# language, file-name suffix, display DPI; a fresh prefix for each.
for run in "en_US.UTF-8||96" "ja_JP.UTF-8|-ja|96" "en_US.UTF-8|-150|144"; do
    IFS='|' read -r lang suffix dpi <<<"$run"
    (
        export LANG=$lang LC_ALL=$lang
        wine_env_start
        wine "$build/bin/GuideShots.exe" "Z:${shots//\//\\}" "$suffix" "$dpi"
        wine_env_stop
    ) 2>/dev/null
done

mkdir -p "$root/docs/images"
for bmp in "$shots"/*.bmp; do
    png="$root/docs/images/$(basename "${bmp%.bmp}").png"
    convert "$bmp" -strip "$png"
    echo "$png"
done
rm -rf "$shots"
