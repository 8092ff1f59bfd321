#!/usr/bin/env bash
# The Debian package scripts/package makes: its control fields, dependencies and file list read
# back with dpkg-deb, unpacked into a scratch root, and the program started from there through
# its link on PATH, on Qt's offscreen platform; lintian and appstreamcli read it, and piuparts
# installs, removes and purges it on a new Debian system.
#
#   tests/package/package-test.sh [DEB]    DEB: the package; by default scripts/package makes it
set -euo pipefail
source "$(dirname "$0")/../../scripts/setup.sh"
source "$QUENDRA_ROOT/tests/package/debian-system.sh" # debian_archive, for piuparts
version=$(dpkg-parsechangelog -l "$QUENDRA_ROOT/debian/changelog" -S Version)

scratch=$(mktemp -d "${TMPDIR:-/tmp}/quendra-package.XXXXXX")
program_pid=
cleanup() {
    if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
        kill -KILL "$program_pid"
        wait "$program_pid" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

checks=0
failures=0
check() { # check DESCRIPTION COMMAND...
    local description=$1
    shift
    checks=$((checks + 1))
    if "$@"; then
        echo "ok: $description"
    else
        echo "FAIL: $description" >&2
        failures=$((failures + 1))
    fi
}

# --- the package -------------------------------------------------------------------------------
ensure_packages dpkg-dev file lintian appstream piuparts
deb=${1:-}
if [ -z "$deb" ]; then
    deb=$(DEB_BUILD_OPTIONS=nocheck bash "$QUENDRA_ROOT/scripts/package" | tail -n 1)
fi
[ -f "$deb" ] || { echo "FAIL: no package $deb" >&2; exit 1; }
echo "package: $(basename "$deb")"

# --- control fields ----------------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
equals() { [ "$1" = "$2" ] || { echo "  got \"$1\", expected \"$2\"" >&2; return 1; }; }

check "Package is quendra-orvo" equals "$(field Package)" quendra-orvo
check "Version is the project's version" equals "$(field Version)" "$version"
check "Architecture is dpkg's" equals "$(field Architecture)" "$(dpkg --print-architecture)"
check "Section is sound" equals "$(field Section)" sound
check "the description's summary line" equals "$(field Description | head -n 1)" \
    "MP3 Encoder based on LAME"
maintainer_has_address() { [[ $(field Maintainer) =~ ^[^\<]+\ \<[^@\>]+@[^@\>]+\>$ ]]; }
check "Maintainer is a name and an address" maintainer_has_address

# Depends as one line per clause, version constraints and spaces dropped: "xterm|x-terminal-emulator".
depends=$(field Depends)
echo "Depends: $depends"
clauses=$(tr ',' '\n' <<<"$depends" | sed -e 's/([^)]*)//g' -e 's/[[:space:]]//g')
has_clause() { grep -qxF -- "$1" <<<"$clauses"; }
# True when some clause offers the package, alone or as an alternative.
offers() { tr '|' '\n' <<<"$clauses" | sed 's/:.*//' | grep -qxF -- "$1"; }

# lame.bin runs on LAME's library and libsndfile, not on the lame program.
check "Depends on LAME's library" offers libmp3lame0
check "Depends on libsndfile" offers libsndfile1
no_lame_program() { ! offers lame; }
check "Depends does not name the lame program" no_lame_program
check "Depends on fonts-wine" has_clause fonts-wine
check "Depends on a terminal: xterm | x-terminal-emulator" has_clause "xterm|x-terminal-emulator"
no_dev_packages() { ! tr '|' '\n' <<<"$clauses" | grep -E -- '-dev$' >&2; }
check "Depends names no -dev package" no_dev_packages

# --- file list ---------------------------------------------------------------------------------
dpkg-deb -c "$deb" >"$scratch/contents"
# "MODE PATH" per entry, with " -> TARGET" for links.
awk '{ mode = $1; $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print mode " " $0 }' \
    "$scratch/contents" >"$scratch/entries"
entry() { grep -qxF -- "$1" "$scratch/entries" || { echo "  no entry \"$1\"" >&2; return 1; }; }
program_dir=./usr/lib/quendra-orvo

check "the program in the program folder" entry "-rwxr-xr-x $program_dir/Project1"
check "lame.bin beside the program" entry "-rwxr-xr-x $program_dir/lame.bin"
check "the starter a terminal runs beside the program" entry "-rwxr-xr-x $program_dir/start-encoder"
check "the launcher on PATH is a relative link to the program" \
    entry "lrwxrwxrwx ./usr/bin/quendra-orvo -> ../lib/quendra-orvo/Project1"
check "the desktop entry" entry "-rw-r--r-- ./usr/share/applications/quendra-orvo.desktop"
for size in 16 32 48; do
    check "the ${size}x$size icon in the hicolor theme" \
        entry "-rw-r--r-- ./usr/share/icons/hicolor/${size}x$size/apps/quendra-orvo.png"
done
check "the copyright file" entry "-rw-r--r-- ./usr/share/doc/quendra-orvo/copyright"
check "the changelog" entry "-rw-r--r-- ./usr/share/doc/quendra-orvo/changelog.gz"
check "the manual page" entry "-rw-r--r-- ./usr/share/man/man1/quendra-orvo.1.gz"
check "the AppStream metainfo" \
    entry "-rw-r--r-- ./usr/share/metainfo/org.example.quendra_orvo.metainfo.xml"
folders_0755() { ! grep -E '^d' "$scratch/entries" | grep -v '^drwxr-xr-x ' >&2; }
check "every folder is 0755" folders_0755
# lintian's own note about running as root goes to standard error; its findings to standard output.
lintian_silent() {
    local findings
    findings=$(lintian "$deb" 2>/dev/null) || { echo "$findings" >&2; return 1; }
    [ -z "$findings" ] || { echo "$findings" >&2; return 1; }
}
check "lintian reports nothing" lintian_silent
# A new system of this machine's Debian release takes it with its dependencies, and gives it back
# removed and purged without a trace (piuparts: it makes the system, as root, from the archive).
piuparts_clean() {
    local sudo release mirror
    need_root "piuparts makes a Debian system, which needs root." "$0 $*"
    release=$(. /etc/os-release && echo "$VERSION_CODENAME")
    mirror=$(debian_archive) || return 1
    "${sudo[@]}" piuparts --no-upgrade-test --distribution "$release" --mirror "$mirror" "$deb" \
        >"$scratch/piuparts.log" 2>&1 || { grep -E '(ERROR|FAIL):' "$scratch/piuparts.log" >&2
                                          tail -n 30 "$scratch/piuparts.log" >&2; return 1; }
}
check "piuparts installs, removes and purges it cleanly" piuparts_clean
only_under_usr() { ! awk '{ print $2 }' "$scratch/entries" | grep -vE '^\./(usr/.*)?$' >&2; }
check "every file is under /usr" only_under_usr
only_launcher_on_path() {
    ! awk '{ print $2 }' "$scratch/entries" | grep -E '^\./usr/bin/.' |
        grep -vxF ./usr/bin/quendra-orvo >&2
}
check "nothing but the launcher in /usr/bin" only_launcher_on_path
owned_by_root() { ! awk '{ print $2 }' "$scratch/contents" | grep -vxF root/root >&2; }
check "every entry is owned by root" owned_by_root

# --- unpacked into a scratch root --------------------------------------------------------------
root=$scratch/root
dpkg-deb -x "$deb" "$root"

# Every library the program and lame.bin load directly, and the X11 platform plugin a desktop
# session needs, come from a package the package depends on.
owner_of() { # owner_of PATH: the Debian package that ships PATH (merged /usr tried both ways)
    local path=$1 resolved candidate
    for resolved in "$path" "$(readlink -f "$path")"; do
        for candidate in "$resolved" "${resolved#/usr}" "/usr$resolved"; do
            if dpkg-query -S "$candidate" >/dev/null 2>&1; then
                dpkg-query -S "$candidate" | head -n 1 | sed 's/[:,].*//'
                return 0
            fi
        done
    done
    return 1
}
libraries_declared() { # libraries_declared BINARY
    local binary=$1 soname path package missing=0
    [ -f "$binary" ] || { echo "  no $binary" >&2; return 1; }
    while read -r soname; do
        path=$(ldd "$binary" | awk -v n="$soname" '$1 == n { print $3 }')
        if [ -z "$path" ] || ! package=$(owner_of "$path"); then
            echo "  $soname (${path:-not found}) belongs to no Debian package" >&2
            missing=1
        elif ! offers "$package"; then
            echo "  $soname comes from $package, which Depends does not name" >&2
            missing=1
        fi
    done < <(readelf -d "$binary" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    return "$missing"
}
check "Depends covers every library Project1 loads" libraries_declared "$root/usr/lib/quendra-orvo/Project1"
check "Depends covers every library lame.bin loads" libraries_declared "$root/usr/lib/quendra-orvo/lame.bin"
check "Depends covers every library the starter loads" \
    libraries_declared "$root/usr/lib/quendra-orvo/start-encoder"
xcb_plugin_declared() {
    local plugin package
    plugin=$(dpkg-query -S '*/plugins/platforms/libqxcb.so' 2>/dev/null | head -n 1 | sed 's/.*: //')
    [ -n "$plugin" ] || { echo "  no Debian package ships Qt's xcb platform plugin" >&2; return 1; }
    package=$(owner_of "$plugin") && offers "$package" ||
        { echo "  $plugin comes from ${package:-?}, which Depends does not name" >&2; return 1; }
}
check "Depends covers Qt's xcb platform plugin" xcb_plugin_declared
recommends_owner_of() { # recommends_owner_of PATTERN: Recommends names the package shipping it
    local file package
    file=$(dpkg-query -S "$1" 2>/dev/null | head -n 1 | sed 's/.*: //')
    [ -n "$file" ] || { echo "  no Debian package ships $1" >&2; return 1; }
    package=$(owner_of "$file") || { echo "  $file belongs to no package" >&2; return 1; }
    tr ',|' '\n\n' <<<"$(field Recommends)" | sed -e 's/([^)]*)//g' -e 's/[[:space:]]//g' |
        grep -qxF -- "$package" || { echo "  Recommends does not name $package" >&2; return 1; }
}
# In a Wayland session the window is native only with Qt's Wayland platform plugin.
check "Recommends Qt's wayland platform plugin" \
    recommends_owner_of '*/plugins/platforms/libqwayland-generic.so'
# Qt's own texts follow the desktop's language only with Qt's translations.
check "Recommends Qt's translations" recommends_owner_of '*/qt6/translations/qtbase_de.qm'

metainfo_valid() {
    appstreamcli validate --no-net "$root/usr/share/metainfo/org.example.quendra_orvo.metainfo.xml" >&2
}
check "appstreamcli validates the metainfo" metainfo_valid
metainfo_launches_desktop_entry() {
    grep -qF '<launchable type="desktop-id">quendra-orvo.desktop</launchable>' \
        "$root/usr/share/metainfo/org.example.quendra_orvo.metainfo.xml"
}
check "the metainfo launches the installed desktop entry" metainfo_launches_desktop_entry
# The manual page and the metainfo give the project's version, as the package does.
manual_page_version() {
    local title
    title=$(gzip -dc "$root/usr/share/man/man1/quendra-orvo.1.gz" | sed -n 1p)
    [[ $title == *"\"quendra-orvo $version\""* ]] || { echo "  the title line: $title" >&2; return 1; }
}
check "the manual page gives the project's version" manual_page_version
metainfo_version() {
    grep -qF "<release version=\"$version\"" \
        "$root/usr/share/metainfo/org.example.quendra_orvo.metainfo.xml" ||
        { echo "  the metainfo's release is another version" >&2; return 1; }
}
check "the metainfo's release is the project's version" metainfo_version
# The copyright file and the changelog are debian/'s own, as debhelper installs them.
shipped_as() { # shipped_as SHIPPED SOURCE: the shipped file (gzip'ed or not) holds SOURCE's text
    local file=$root/usr/share/doc/quendra-orvo/$1
    case $file in *.gz) gzip -dc "$file" ;; *) cat "$file" ;; esac | cmp -s - "$QUENDRA_ROOT/debian/$2" ||
        { echo "  /usr/share/doc/quendra-orvo/$1 is not debian/$2" >&2; return 1; }
}
check "the copyright file is debian/copyright" shipped_as copyright copyright
check "the changelog is debian/changelog" shipped_as changelog.gz changelog

# The desktop entry starts the launcher on PATH and names the installed icon.
desktop=$root/usr/share/applications/quendra-orvo.desktop
desktop_value() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
exec_is_launcher() {
    local program
    program=$(desktop_value Exec | awk '{ print $1 }')
    [ -n "$program" ] && [ -x "$root/usr/bin/$program" ] ||
        { echo "  Exec starts \"$program\", not a program in /usr/bin of the package" >&2; return 1; }
}
check "the desktop entry's Exec is the launcher on PATH" exec_is_launcher
icon_is_installed() {
    local icon
    icon=$(desktop_value Icon)
    [ -n "$icon" ] && [ -f "$root/usr/share/icons/hicolor/48x48/apps/$icon.png" ] ||
        { echo "  Icon=$icon names no installed icon" >&2; return 1; }
}
check "the desktop entry's Icon is installed" icon_is_installed
if command -v desktop-file-validate >/dev/null 2>&1; then
    check "the desktop entry is valid" desktop-file-validate "$desktop"
fi

# lame.bin, as installed, encodes by itself (no program on PATH): a tenth of a second of silence,
# 16-bit mono.
le16() { printf "\\x$(printf %02x $(($1 & 255)))\\x$(printf %02x $(($1 >> 8 & 255)))"; }
le32() { le16 $(($1 & 65535)); le16 $(($1 >> 16 & 65535)); }
write_wave() { # write_wave PATH: 4410 frames at 44100 Hz
    local frames=4410 rate=44100
    {
        printf RIFF; le32 $((36 + frames * 2)); printf WAVEfmt\ ; le32 16; le16 1; le16 1
        le32 $rate; le32 $((rate * 2)); le16 2; le16 16; printf data; le32 $((frames * 2))
        head -c $((frames * 2)) /dev/zero
    } >"$1"
}
installed_lame_bin_encodes() {
    write_wave "$scratch/silence.wav"
    env PATH=/nonexistent "$root/usr/lib/quendra-orvo/lame.bin" --cbr -b 128 -t --noreplaygain \
        "$scratch/silence.wav" "$scratch/silence.mp3" </dev/null >"$scratch/lame.log" 2>&1 ||
        { cat "$scratch/lame.log" >&2; return 1; }
    # An MP3 frame header starts with eleven set bits.
    local start
    start=$(od -An -tx1 -N2 "$scratch/silence.mp3" | tr -d ' ')
    [[ $start == ff[ef]? ]] || { echo "  the output starts with $start, not an MP3 frame" >&2; return 1; }
}
check "the installed lame.bin encodes a WAV file" installed_lame_bin_encodes

# --- the installed program, started through the launcher on PATH -------------------------------
# Qt reports each flush of the window's backing store under qt.widgets.painting: the first flush
# of the whole window "TForm1" is the window shown.
mkdir -p "$scratch/home"
env HOME="$scratch/home" PATH="$root/usr/bin:$PATH" QT_QPA_PLATFORM=offscreen \
    QT_LOGGING_RULES='qt.widgets.painting=true' quendra-orvo >"$scratch/program.log" 2>&1 &
program_pid=$!

shown=false
for _ in $(seq 600); do # at most a minute, on a loaded machine
    if grep -q '^qt.widgets.painting: Flushing QRegion(0,0 [0-9]*x[0-9]*) of TForm1(' \
        "$scratch/program.log"; then
        shown=true
        break
    fi
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
show_log() { grep -v '^qt.widgets.painting' "$scratch/program.log" | tail -n 30 >&2; }
window_shown() { $shown || { show_log; return 1; }; }
check "the program started through the launcher shows its window" window_shown

# The program runs from the program folder, where lame.bin and the starter are: the folder it
# finds through /proc/self/exe is this one.
runs_from_program_folder() {
    local exe
    exe=$(readlink "/proc/$program_pid/exe") || { echo "  the program is not running" >&2; return 1; }
    equals "$exe" "$root/usr/lib/quendra-orvo/Project1" && [ -x "$(dirname "$exe")/lame.bin" ] &&
        [ -x "$(dirname "$exe")/start-encoder" ]
}
check "the running program is the one beside lame.bin" runs_from_program_folder

# It goes on running after its window is shown, until it is told to stop.
sleep 2
still_running() { kill -0 "$program_pid" 2>/dev/null || { show_log; return 1; }; }
check "the program is still running two seconds after showing its window" still_running
if kill -0 "$program_pid" 2>/dev/null; then
    kill -TERM "$program_pid"
fi
status=0
wait "$program_pid" || status=$?
program_pid=
check "the program ended by the SIGTERM sent to it" equals "$status" $((128 + 15))

echo "$((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
