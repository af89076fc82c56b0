#!/usr/bin/env bash
# Fails when a program imports anything but Windows system DLLs.
set -euo pipefail
exe=${1:?program to check}
objdump=${2:?objdump to use}
# A check that cannot look is a failure, not a pass.
[ -f "$exe" ] || { echo "$exe: no such program" >&2; exit 1; }
command -v "$objdump" >/dev/null || { echo "$objdump: not installed" >&2; exit 1; }
dlls=$("$objdump" -p "$exe" | sed -n 's/.*DLL Name: //p') || { echo "$objdump could not read $exe" >&2; exit 1; }
[ -n "$dlls" ] || { echo "$exe: no imports found" >&2; exit 1; }
allowed='^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|COMDLG32|OLE32|SETUPAPI|msvcrt|api-ms-win-crt-[a-z0-9-]+)\.dll$'
bad=0
while read -r dll; do
    if [[ ! "$dll" =~ $allowed ]] && [[ ! "${dll^^}" =~ ^(KERNEL32|USER32|GDI32|ADVAPI32|SHELL32|COMCTL32|COMDLG32|OLE32|SETUPAPI|MSVCRT)\.DLL$ ]]; then
        echo "$exe imports $dll"
        bad=1
    fi
done <<<"$dlls"
[ "$bad" -eq 0 ] && echo "$(basename "$exe") ($(basename "$objdump" | cut -d- -f1)): system DLLs only"
exit "$bad"
