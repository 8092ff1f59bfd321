#!/usr/bin/env bash
# Checks the Windows zip as a user gets it: it holds Project1.exe and README.txt and nothing else,
# the program needs no DLL besides Windows' own, the text says where the encoder goes, and the
# unpacked program, with a recording lame.bin put beside it as the text says, hands the encoder
# its command (the window test that presses "Start encoding", run against the unpacked program).
#
#   tests/windows/zip-test.sh <zip> <folder with window_tests.exe and the recording lame.bin>
set -euo pipefail
zip=$1
tests=$2
here=$(cd "$(dirname "$0")" && pwd)
unpacked=$(mktemp -d "${TMPDIR:-/tmp}/quendra-zip.XXXXXX")
trap 'rm -rf "$unpacked"' EXIT
fail() { echo "zip-test: $*" >&2; exit 1; }

unzip -q "$zip" -d "$unpacked"
[ "$(cd "$unpacked" && find . -mindepth 1 | sort | tr '\n' ' ')" = "./Project1.exe ./README.txt " ] ||
    fail "the zip holds: $(cd "$unpacked" && find . -mindepth 1 | tr '\n' ' ')"
grep -q 'lame.bin' "$unpacked/README.txt" || fail "README.txt does not say where lame.bin goes"

# Windows' own libraries only: the program is linked statically.
allowed=' KERNEL32.dll USER32.dll GDI32.dll COMCTL32.DLL COMDLG32.DLL SHELL32.dll msvcrt.dll '
objdump=$(command -v i686-w64-mingw32-objdump || command -v x86_64-w64-mingw32-objdump)
while read -r dll; do
    case $allowed in *" $dll "*) ;; *) fail "Project1.exe needs $dll" ;; esac
done < <("$objdump" -p "$unpacked/Project1.exe" | sed -n 's/^[[:space:]]*DLL Name: //p')

cp "$tests/window_tests.exe" "$tests/lame.bin" "$unpacked/"
bash "$here/wine-desktop.sh" -- bash -c '"$WINE" "$0" --gtest_filter=*StartEncoding*' \
    "$unpacked/window_tests.exe"
echo "zip-test: $(basename "$zip") is complete and works"
