#!/usr/bin/env bash
# Builds both Windows programs and the native checks, then runs every test:
# unit tests under Wine, the window-free logic under ASan + UBSan, the fuzz
# target, and the end-to-end tests of the real Mensuro.exe. Non-zero on failure.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${MENSURO_BUILD_DIR:-$root/build}
jobs=$(nproc)

"$root/scripts/install-deps.sh" || exit 1
. "$root/scripts/wine-env.sh"

failed=0
passed=0
step() { echo; echo "=== $*"; }
record() {
    if [ "$1" -eq 0 ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $2"; fi
}

# The whole output of every failed ctest entry, one file each, kept after the run: a failure
# that shows once in many runs must be readable when it does.
logs=$build/test-logs
rm -rf "$logs"
run_ctest() { # build dir, name of the logs' folder
    # ctest keeps the list of an earlier run's failures when this run has none.
    rm -f "$1/Testing/Temporary/LastTestsFailed.log"
    ctest --test-dir "$1" --output-on-failure --no-tests=error --test-output-size-failed 10000000
    local rc=$? temp="$1/Testing/Temporary"
    [ -s "$temp/LastTestsFailed.log" ] || return "$rc"
    mkdir -p "$logs/$2"
    local name
    # LastTestsFailed.log names them as "N:name"; LastTest.log holds each entry's block, from
    # "i/n Testing: name" to its '"name" time elapsed:' line.
    while IFS= read -r name; do
        name=${name#*:}
        awk -v name="$name" '
            $0 ~ /^[0-9]+\/[0-9]+ Testing: / && substr($0, index($0, ": ") + 2) == name { on = 1 }
            on { print }
            on && index($0, "\"" name "\" time elapsed:") == 1 { exit }
        ' "$temp/LastTest.log" >"$logs/$2/$name.log"
    done <"$temp/LastTestsFailed.log"
    return "$rc"
}

step "Build: 64-bit Windows (program, tests, benchmark)"
cmake -S "$root" -B "$build/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw64.cmake" -DMENSURO_TESTS=ON \
      -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine-run.sh" >/dev/null &&
    cmake --build "$build/win64" -j "$jobs"
record $? "64-bit build"

step "Build: 32-bit Windows (program)"
cmake -S "$root" -B "$build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw32.cmake" >/dev/null &&
    cmake --build "$build/win32" -j "$jobs"
record $? "32-bit build"

step "Build: native window-free logic (ASan + UBSan, fuzz target)"
cmake -S "$root" -B "$build/native" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null &&
    cmake --build "$build/native" -j "$jobs"
record $? "native build"

step "Static linking: only Windows system DLLs"
"$root/scripts/check-imports.sh" "$build/win64/bin/Mensuro.exe" x86_64-w64-mingw32-objdump &&
    "$root/scripts/check-imports.sh" "$build/win32/bin/Mensuro.exe" i686-w64-mingw32-objdump
record $? "import check"

step "Native tests (ASan + UBSan)"
run_ctest "$build/native" native
record $? "native tests"

step "Fuzzing the template file store and the other inputs"
if [ -x "$build/native/bin/fuzz_ini_profile" ] && [ -x "$build/native/bin/fuzz_inputs" ]; then
    "$root/tests/fuzz/run-fuzz.sh" "$build/native/bin/fuzz_ini_profile" &&
        "$root/tests/fuzz/run-fuzz.sh" "$build/native/bin/fuzz_inputs" inputs
    record $? "fuzz"
else
    echo "fuzz target missing"; record 1 "fuzz"
fi

step "Windows tests under Wine (unit, end-to-end)"
trap wine_env_stop EXIT
wine_env_start
run_ctest "$build/win64" wine
record $? "Wine tests"
wine_env_stop
trap - EXIT

echo
if [ -d "$logs" ]; then
    echo "Output of the failed entries:"
    find "$logs" -name '*.log' | sort | sed 's/^/  /'
fi
echo "test steps: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
