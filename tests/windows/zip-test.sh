#!/usr/bin/env bash
# Checks the Windows zip as a user gets it: it holds Project1.exe, lame.bin, README.txt and the
# libraries' licences and nothing else, the programs need no DLL besides Windows' own, and the
# unpacked program, with the recording lame.bin put in place of the encoder, hands the encoder
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
# The licences' file names are the libraries' business; one for each library, beside SOURCES.txt.
listing=$(cd "$unpacked" && find . -mindepth 1 | LC_ALL=C sort)
[ "$(grep -v '^\./licenses/' <<<"$listing" | tr '\n' ' ')" = \
    "./Project1.exe ./README.txt ./lame.bin ./licenses " ] ||
    fail "the zip holds: $(tr '\n' ' ' <<<"$listing")"
licences=$(sed -n 's|^\./licenses/||p' <<<"$listing")
for name in SOURCES.txt lame- sndfile- mpg123-; do
    grep -q "$name" <<<"$licences" || fail "no licence for $name: $(tr '\n' ' ' <<<"$licences")"
done
grep -v '\.txt$' <<<"$licences" && fail "licenses/ holds other than text files"
grep -q 'lame.bin' "$unpacked/README.txt" || fail "README.txt does not name lame.bin"

# Windows' own libraries only: the programs are linked statically.
allowed=' KERNEL32.dll USER32.dll GDI32.dll COMCTL32.DLL COMDLG32.DLL SHELL32.dll SHLWAPI.dll msvcrt.dll '
objdump=$(command -v i686-w64-mingw32-objdump || command -v x86_64-w64-mingw32-objdump)
for program in Project1.exe lame.bin; do
    while read -r dll; do
        case $allowed in *" $dll "*) ;; *) fail "$program needs $dll" ;; esac
    done < <("$objdump" -p "$unpacked/$program" | sed -n 's/^[[:space:]]*DLL Name: //p')
done

# The unpacked program as it is: "Start encoding" with its own lame.bin writes the MP3.
bash "$here/wine-desktop.sh" -- bash -c \
    'QUENDRA_PROGRAM="$("$WINE64" winepath -w "$1" | tr -d "\r")" "$WINE" "$0"' \
    "$tests/encoding_window_tests.exe" "$unpacked/Project1.exe"
# With the recording lame.bin in its place: the encoder receives every field exactly.
cp "$tests/window_tests.exe" "$tests/lame.bin" "$unpacked/"
bash "$here/wine-desktop.sh" -- bash -c '"$WINE" "$0" --gtest_filter=*StartEncoding*' \
    "$unpacked/window_tests.exe"
echo "zip-test: $(basename "$zip") is complete and works"
