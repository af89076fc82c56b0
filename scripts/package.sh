#!/usr/bin/env bash
# Builds the release package: a zip with the 64-bit and the 32-bit Mensuro.exe,
# the user guide with its pictures, and a short text on running it on Windows.
# The version is the one the program's version resource carries.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MENSURO_BUILD_DIR:-$root/build}

"$root/scripts/install-deps.sh"
command -v zip >/dev/null || {
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq zip >/dev/null
}

version=$(sed -n 's/^#define MENSURO_VERSION_STRING "\(.*\)"/\1/p' "$root/resources/version.h")
for arch in 64 32; do
    cmake -S "$root" -B "$build/release$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw$arch.cmake" >/dev/null
    cmake --build "$build/release$arch" --target Mensuro -j "$(nproc)"
done

name="Mensuro-$version"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/$name/x64" "$stage/$name/x86" "$stage/$name/guide"
cp "$build/release64/bin/Mensuro.exe" "$stage/$name/x64/"
cp "$build/release32/bin/Mensuro.exe" "$stage/$name/x86/"
cp "$root/docs/guide.md" "$stage/$name/guide/"
cp -r "$root/docs/images" "$stage/$name/guide/"
sed "s/@VERSION@/$version/g" "$root/docs/windows.txt" | sed 's/$/\r/' > "$stage/$name/README.txt"

mkdir -p "$build/dist"
rm -f "$build/dist/$name.zip"
(cd "$stage" && zip -qr "$build/dist/$name.zip" "$name")
echo "Package: $build/dist/$name.zip"
