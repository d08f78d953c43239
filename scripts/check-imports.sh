#!/usr/bin/env bash
# check-imports.sh EXE...
# Fails when an executable imports a DLL that does not ship with Windows (so it runs without an
# installer), or is not a 64-bit image.
set -euo pipefail
allowed='^(kernel32|user32|gdi32|advapi32|shell32|comctl32|comdlg32|ws2_32|msvcrt|ole32|oleaut32|shlwapi|uxtheme|winmm|version|imm32)\.dll$'
status=0
for exe in "$@"; do
    header=$(x86_64-w64-mingw32-objdump -f "$exe")
    if ! grep -q 'file format pei-x86-64' <<<"$header"; then
        echo "$exe: not a 64-bit Windows executable"
        status=1
    fi
    while read -r dll; do
        if ! grep -qiE "$allowed" <<<"$dll"; then
            echo "$exe imports $dll, which Windows does not ship"
            status=1
        fi
    done < <(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p')
done
[ $status = 0 ] && echo "imports: only system DLLs in $*"
exit $status
