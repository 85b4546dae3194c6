#!/usr/bin/env bash
# Static checks of the Windows 2000/XP product (the i686 tsln.exe), which cannot run on these machines:
# the PE header asks for Windows 2000, the file stays small, and it imports only DLLs that Windows 2000
# ships; d3d8.dll and hhctrl.ocx are loaded at run time, never import-linked.
#   bash tests/static/check-product.sh [EXE]...   (default: tsln.exe and tessaline.exe in build/windows/src/win32)
set -uo pipefail
if [ $# -eq 0 ]; then set -- build/windows/src/win32/tsln.exe build/windows/src/win32/tessaline.exe; fi
if [ $# -gt 1 ]; then
    status=0
    for one in "$@"; do
        echo "$one:"
        bash "$0" "$one" || status=1
    done
    exit $status
fi
exe=$1
max_bytes=$((300 * 1024))
allowed_dlls="ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL SHELL32.DLL USER32.DLL VERSION.DLL"
failed=0
check() {  # NAME CONDITION-STATUS DETAIL
    if [ "$2" -eq 0 ]; then echo "  ok   $1"; else echo "  FAIL $1: $3"; failed=1; fi
}

[ -f "$exe" ] || { echo "check-product: no $exe"; exit 1; }
headers=$(i686-w64-mingw32-objdump -p "$exe")

subsystem=$(printf '%s\n' "$headers" | awk '/MajorSubsystemVersion/{a=$2} /MinorSubsystemVersion/{b=$2} END{print a "." b}')
os=$(printf '%s\n' "$headers" | awk '/MajorOSystemVersion/{a=$2} /MinorOSystemVersion/{b=$2} END{print a "." b}')
[ "$subsystem" = 5.0 ] && [ "$os" = 5.0 ]
check "subsystem and OS version 5.0" $? "subsystem $subsystem, OS $os"

size=$(stat -c %s "$exe")
[ "$size" -le "$max_bytes" ]
check "size $size bytes (at most $max_bytes)" "$?" "too large"

dlls=$(printf '%s\n' "$headers" | sed -n 's/^\tDLL Name: //p' | tr '[:lower:]' '[:upper:]' | sort -u)
unexpected=$(comm -23 <(printf '%s\n' "$dlls") <(printf '%s\n' "$allowed_dlls" | tr ' ' '\n' | sort))
[ -z "$unexpected" ]
status=$?
check "imports only $(paste -sd' ' <<<"$dlls")" "$status" "unexpected: $(paste -sd' ' <<<"$unexpected")"

functions=$(printf '%s\n' "$headers" | awk '/DLL Name:/{dll=toupper($3)} /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/{print dll ":" $NF}' | sort -u)
allowlist="$(dirname "$0")/windows2000-exports.txt"
if [ -f "$allowlist" ]; then
    missing=$(comm -23 <(printf '%s\n' "$functions") <(grep -v '^#' "$allowlist" | tr -d '\r' | sed '/^$/d' | sort -u))
    [ -z "$missing" ]
    status=$?
    check "every imported function is exported by Windows 2000 SP4 ($(printf '%s\n' "$functions" | wc -l) functions)" \
        "$status" "not on the list: $(paste -sd' ' <<<"$missing")"
fi

if [ "$failed" -ne 0 ]; then echo "check-product: failed"; exit 1; fi
