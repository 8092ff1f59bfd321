# Shared by scripts/run and scripts/test: the Debian packages the product needs, installed only
# where missing, and the build folder. Source it; do not run it.

QUENDRA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUENDRA_BUILD=${QUENDRA_BUILD:-$QUENDRA_ROOT/build}

# Packages for building, testing and running on Debian 12: lame.bin builds on LAME's library and
# libsndfile; its tests compare it with Debian's "lame" program, make MPEG Layer II input with
# twolame and read tags back with mutagen; the package test runs lintian and appstreamcli; the
# Wayland test starts the window on Qt's Wayland platform under a headless weston; the screen
# reader test runs Orca with a speech-dispatcher and the AT-SPI bus on a D-Bus session, an Xvfb
# display and openbox of its own, and presses keys with xdotool.
QUENDRA_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgtest-dev libmp3lame-dev libsndfile1-dev
                  lame twolame python3-mutagen fonts-wine xterm dpkg-dev file lintian appstream
                  weston qt6-wayland clang-format orca speech-dispatcher at-spi2-core dbus-daemon
                  xvfb openbox xdotool)
# And for scripts/test's window tests on X11: a display, a window manager and tools to look at the
# window, and for the colours desktops give, Qt's qt6ct and gtk3 platform themes. The README
# names both lists, with xauth for xvfb-run, for a person who cannot install them
# (tests/package/readme-packages.sh compares).
QUENDRA_TEST_PACKAGES=(xvfb openbox xdotool x11-utils imagemagick qt6ct qt6-gtk-platformtheme)

missing_packages() {
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed'; then
            printf '%s\n' "$pkg"
        fi
    done
}

# Sets the array "sudo" to what runs a command as root: nothing for root, sudo where it needs no
# password or, on a terminal, once it has asked for the password; otherwise prints the given
# command for the user to run as root and exits.
need_root() {
    sudo=()
    [ "$(id -u)" -eq 0 ] && return 0
    if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
        sudo=(sudo)
        return 0
    fi
    echo "$1" >&2
    if command -v sudo >/dev/null 2>&1 && [ -t 0 ] && [ -t 2 ]; then
        echo "sudo asks for your password to do it as root." >&2
        if sudo -v; then
            sudo=(sudo)
            return 0
        fi
    fi
    echo "Run this as root, then run this script again:" >&2
    echo "  $2" >&2
    exit 1
}

# Packages may be named with an architecture (wine32:i386); see ensure_architecture.
ensure_packages() {
    local missing sudo
    mapfile -t missing < <(missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0
    need_root "These Debian packages are missing: ${missing[*]}" \
        "apt-get update && apt-get install -y ${missing[*]}"
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

# Lets dpkg install packages of a second architecture (i386 for 32-bit wine); ensure_packages
# then fetches that architecture's package lists with its apt-get update.
ensure_architecture() {
    local sudo
    [ "$(dpkg --print-architecture)" = "$1" ] && return 0
    dpkg --print-foreign-architectures | grep -qx "$1" && return 0
    need_root "dpkg does not install packages of the architecture $1 yet." \
        "dpkg --add-architecture $1"
    echo "Adding the architecture $1 to dpkg"
    "${sudo[@]}" dpkg --add-architecture "$1"
}

# What makes a package the same bytes whoever builds it, wherever and whenever: every time stamp
# is the last commit's (SOURCE_DATE_EPOCH, which the strip and link steps, cpack and the Windows
# packages' files take), and the files and archive members get the modes a umask of 022 gives
# (cpack takes an archive member's mode from the file it wrote). A SOURCE_DATE_EPOCH already set
# is kept, so that a rebuild elsewhere can name the time.
package_settings() {
    if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
        if ! SOURCE_DATE_EPOCH=$(git -C "$QUENDRA_ROOT" log -1 --format=%ct 2>/dev/null); then
            SOURCE_DATE_EPOCH=$(date +%s)
            echo "Not a git checkout: the packages carry the time of this build, and a rebuild" \
                "gives other bytes (set SOURCE_DATE_EPOCH to the release's time)." >&2
        fi
    fi
    export SOURCE_DATE_EPOCH
    umask 022
}

# Writes SHA256SUMS into the folder of the given files, naming them as they lie there, so that
# `sha256sum --ignore-missing -c <that file>` run where downloads are checks them.
write_checksums() {
    local folder
    folder=$(dirname "$1")
    (cd "$folder" && sha256sum -- "${@##*/}") >"$folder/SHA256SUMS"
}

configure_and_build() {
    cmake -S "$QUENDRA_ROOT" -B "$QUENDRA_BUILD" -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$QUENDRA_BUILD" --parallel "$(nproc)"
}
