#!/usr/bin/env bash
# Checks the Windows installer as a user meets it, in a fresh wine prefix of its own
# (wine-desktop.sh). A silent install puts the zip's files and the uninstaller into
# "Quendra orvo" in Program Files ("Program Files (x86)" for the 32-bit build on 64-bit Windows),
# a Start-menu shortcut for all users to Project1.exe and an entry in Apps and features with the
# name, version and publisher of Project1.exe's version record. Installing again gives the same
# and nothing twice; installing into another folder removes the earlier installation first. The
# silent uninstall the entry names leaves nothing on drive C: or in the registry.
#
#   tests/windows/installer-test.sh <installer> <zip> [command [argument...]]
#
# The command, when given, runs after the first install in the prefix (WINE, WINEPREFIX, DISPLAY
# set) with INSTALLED set to the installed folder; the test fails when the command fails.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${QUENDRA_INSTALLER_TEST_PREFIX:-}" ]; then
    export QUENDRA_INSTALLER_TEST_PREFIX=1
    exec bash "$here/wine-desktop.sh" -- bash "$0" "$@"
fi
installer=$1
zip=$2
shift 2
fail() { echo "installer-test: $*" >&2; exit 1; }
# No menu entries for the host's desktop from the shortcut.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"

expected=$(mktemp -d "${TMPDIR:-/tmp}/quendra-installer.XXXXXX")
trap 'rm -rf "$expected"' EXIT
unzip -q "$zip" -d "$expected"
# What the program says of itself in its version record (UTF-16 name, then value).
record() { strings -el "$expected/Project1.exe" | grep -A1 -x "$1" | sed -n 2p; }
product=$(record ProductName)
version=$(record ProductVersion)
publisher=$(record CompanyName)
if [ -z "$product" ] || [ -z "$version" ] || [ -z "$publisher" ]; then
    fail "Project1.exe has no product name, version or publisher in its version record"
fi

case $(x86_64-w64-mingw32-objdump -f "$installer" | sed -n 's/^architecture: //p') in
i386,*) bits=32; program_files='Program Files (x86)' ;;
i386:x86-64,*) bits=64; program_files='Program Files' ;;
*) fail "$installer is no Windows program" ;;
esac
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$product"
entry() { # the key's values as reg prints them; nothing when there is no key
    local values
    values=$("$WINE64" reg query "$key" "/reg:$bits" 2>/dev/null) || return 0
    tr -d '\r' <<<"$values" | sed '/^$/d'
}
# Drive C: but for the temporary folders, which every program writes to.
snapshot() {
    (cd "$WINEPREFIX/drive_c" && find . ! -ipath '*/temp/*' ! -ipath '*/temp' | LC_ALL=C sort)
}
menu() { find "$start_menu" -mindepth 1 -maxdepth 1 -printf '%f\n' | LC_ALL=C sort; }
unix_path() { "$WINE64" winepath -u "$1" 2>/dev/null | tr -d '\r'; }

install() { # [/D=folder]
    "$WINE" "$installer" /S "$@" || fail "the installer $* ended with $?"
}

# Everything in its place, once: the zip's files, the uninstaller, the shortcut, the entry.
check_installed() { # Windows folder
    local folder=$1 unix differing total
    unix=$(unix_path "$folder")
    diff <(cd "$expected" && find . -mindepth 1 | LC_ALL=C sort) \
         <(cd "$unix" && find . -mindepth 1 ! -path ./uninstall.exe | LC_ALL=C sort) ||
        fail "$folder holds other files than the zip"
    differing=$(cd "$expected" && find . -type f ! -exec cmp -s {} "$unix/{}" \; -print)
    [ -z "$differing" ] || fail "files differ from the zip's: $differing"
    [ -f "$unix/uninstall.exe" ] || fail "no uninstaller in $folder"

    diff <(menu) <({ echo "$menu_before"; echo "$product.lnk"; } | LC_ALL=C sort) ||
        fail "the Start menu's programs are not those before and one shortcut"
    grep -aqF "$folder\\Project1.exe" "$start_menu/$product.lnk" ||
        fail "the shortcut does not lead to $folder\\Project1.exe"

    total=$(find "$unix" -type f -printf '%s\n' | awk '{ s += $1 } END { print int(s / 1024) }')
    diff <(entry) - <<EOF || fail "the entry in Apps and features is not as above"
$(entry | head -n 1)
    DisplayIcon    REG_SZ    $folder\\Project1.exe,0
    DisplayName    REG_SZ    $product
    DisplayVersion    REG_SZ    $version
    EstimatedSize    REG_DWORD    $(printf '0x%x' "$total")
    InstallLocation    REG_SZ    $folder
    NoModify    REG_DWORD    0x1
    NoRepair    REG_DWORD    0x1
    Publisher    REG_SZ    $publisher
    QuietUninstallString    REG_SZ    "$folder\\uninstall.exe" /S
    UninstallString    REG_SZ    "$folder\\uninstall.exe"
EOF
}

before=$(snapshot)
menu_before=$(menu)
default="C:\\$program_files\\$product"

install
check_installed "$default"
if [ $# -gt 0 ]; then
    INSTALLED=$(unix_path "$default") "$@" || fail "$* failed on the installed program"
fi

install
check_installed "$default"

# Without spaces: wine would quote the argument, and the installer takes /D= unquoted only.
elsewhere='C:\Elsewhere'
install "/D=$elsewhere"
[ ! -e "$(unix_path "$default")" ] || fail "installing into $elsewhere left $default"
check_installed "$elsewhere"

# As Apps and features does it: the uninstaller copies itself to the temporary folder, starts the
# copy and returns; the copy is done when the prefix's last program has ended.
quiet=$(entry | sed -n 's/^    QuietUninstallString    REG_SZ    //p')
uninstaller=$(sed -n 's|^"\(.*\)" /S$|\1|p' <<<"$quiet")
"$WINE" "$uninstaller" /S || fail "$quiet ended with $?"
"$WINESERVER" -w
[ -z "$(entry)" ] || fail "the entry in Apps and features is left: $(entry)"
left=$(comm -13 <(echo "$before") <(snapshot))
[ -z "$left" ] || fail "the uninstaller left: $left"
echo "installer-test: $(basename "$installer") installs, replaces and uninstalls cleanly"
