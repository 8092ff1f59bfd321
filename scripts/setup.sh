# Shared by scripts/run and scripts/test: the Debian packages the product needs, installed only
# where missing, and the build folder. Source it; do not run it.

QUENDRA_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
QUENDRA_BUILD=${QUENDRA_BUILD:-$QUENDRA_ROOT/build}

# Packages for building, testing and running on Debian 12: lame.bin builds on LAME's library and
# libsndfile; its tests compare it with Debian's "lame" program, make MPEG Layer II input with
# twolame and read tags back with mutagen; the package test runs lintian and appstreamcli.
QUENDRA_PACKAGES=(cmake g++ make pkg-config qt6-base-dev libgtest-dev libmp3lame-dev libsndfile1-dev
                  lame twolame python3-mutagen fonts-wine xterm dpkg-dev file lintian appstream)

missing_packages() {
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q '^install ok installed'; then
            printf '%s\n' "$pkg"
        fi
    done
}

ensure_packages() {
    local missing
    mapfile -t missing < <(missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if command -v sudo >/dev/null 2>&1 && sudo -n true 2>/dev/null; then
            sudo=(sudo)
        else
            echo "These Debian packages are missing: ${missing[*]}" >&2
            echo "Install them as root, then run this again:" >&2
            echo "  apt-get update && apt-get install -y ${missing[*]}" >&2
            exit 1
        fi
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

configure_and_build() {
    cmake -S "$QUENDRA_ROOT" -B "$QUENDRA_BUILD" -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$QUENDRA_BUILD" --parallel "$(nproc)"
}
