#!/usr/bin/env bash
# The source package built as Debian builds it, in a new Debian system of its own: the source
# package of the committed state (HEAD) is made here with dpkg-source; in the system, apt-get
# build-dep installs what its Build-Depends name and nothing else, an ordinary user builds it
# with dpkg-buildpackage, running the tests at build time, and lintian --pedantic reports
# nothing on the source and binary packages; then the package is installed and autopkgtest runs
# its tests (debian/tests) on it. Each part is bounded in time.
#
#   tests/package/source-build-test.sh [SUITE]    SUITE: the Debian release, bookworm by default
#
# tests/debian13/debian13-test.sh runs the same parts (source_build_parts) in its Debian 13
# system. Runs as root (through sudo where it is not), as it makes a system and mounts into it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/setup.sh"

# Bounds on each part, far above what each takes: they end a hang, not a slow run.
build_dep_bound=1200
build_bound=3600
lintian_bound=600
autopkgtest_bound=900

# source_build_parts SUITE USER: the parts, in the system made by debian-system.sh, as USER, who
# exists there; logs in the build folder.
source_build_parts() {
    local suite=$1 user=$2 version arch status part_started log
    version=$(dpkg-parsechangelog -l "$QUENDRA_ROOT/debian/changelog" -S Version)
    local dsc=quendra-orvo_$version.dsc
    mkdir -p "$scratch/source" "$system/tmp/source" "$QUENDRA_BUILD"
    git -C "$QUENDRA_ROOT" archive --prefix="quendra-orvo-$version/" HEAD |
        tar -x -C "$scratch/source"
    if ! (cd "$scratch/source" && dpkg-source -b "quendra-orvo-$version") \
        >"$scratch/dpkg-source.log" 2>&1; then
        cat "$scratch/dpkg-source.log" >&2
        echo "FAIL: dpkg-source could not make $dsc" >&2
        return 1
    fi
    cp "$scratch/source"/quendra-orvo_"$version".* "$system/tmp/source/"
    chmod -R a+rX "$system/tmp/source"

    echo "== Debian $suite: apt-get build-dep $dsc"
    log=$QUENDRA_BUILD/source-build-$suite-build-dep.log
    part_started=$(date +%s)
    status=0
    bounded "$build_dep_bound" chroot "$system" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
        DEBIAN_FRONTEND=noninteractive sh -ec "apt-get update -q
            apt-get build-dep -y -q /tmp/source/$dsc
            apt-get install -y -q --no-install-recommends lintian autopkgtest" \
        </dev/null >"$log" 2>&1 || status=$?
    [ "$status" -eq 0 ] || tail -n 30 "$log"
    part "Debian $suite installs the Build-Depends ($(($(date +%s) - part_started)) s; log: $log)" \
        "$status"

    echo "== Debian $suite: dpkg-buildpackage as $user, the tests at build time"
    log=$QUENDRA_BUILD/source-build-$suite.log
    part_started=$(date +%s)
    status=0
    as_user "$user" "$build_bound" "$log" "set -e
mkdir build
dpkg-source -x /tmp/source/$dsc build/quendra-orvo
cd build/quendra-orvo
DEB_BUILD_OPTIONS=parallel=$(nproc) dpkg-buildpackage -us -uc" || status=$?
    # The tests' summary, or the end of the log where it never got there.
    grep -E '^[0-9]+% tests passed|^The following tests FAILED' "$log" || true
    [ "$status" -eq 0 ] || tail -n 40 "$log"
    part "Debian $suite builds the source package ($(($(date +%s) - part_started)) s; log: $log)" \
        "$status"
    [ "$status" -eq 0 ] || return 0

    log=$QUENDRA_BUILD/source-build-$suite-lintian.log
    status=0
    as_user "$user" "$lintian_bound" "$log" \
        "lintian --pedantic build/quendra-orvo_${version}_*.changes" || status=$?
    if [ "$status" -eq 0 ] && grep -q . "$log"; then
        status=1
    fi
    cat "$log"
    part "lintian --pedantic reports nothing on Debian $suite (log: $log)" "$status"

    echo "== Debian $suite: autopkgtest on the installed package"
    arch=$(inside dpkg --print-architecture)
    log=$QUENDRA_BUILD/source-build-$suite-autopkgtest.log
    part_started=$(date +%s)
    status=0
    local home=/home/$user/build
    bounded "$autopkgtest_bound" chroot "$system" /usr/bin/env -i \
        PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
        autopkgtest "$home/quendra-orvo_${version}_$arch.deb" "$home/$dsc" -- null \
        </dev/null >"$log" 2>&1 || status=$?
    stop_inside
    # Its summary: a line per test, "NAME PASS" or another outcome.
    grep -E '^[a-z0-9_-]+ +(PASS|FAIL|SKIP|FLAKY|ERROR)' "$log" | sort -u || true
    [ "$status" -eq 0 ] || tail -n 40 "$log"
    part "autopkgtest passes on Debian $suite ($(($(date +%s) - part_started)) s; log: $log)" \
        "$status"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    if [ "$(id -u)" -ne 0 ]; then
        need_root "Making a Debian system needs root." "$0 $*"
        exec "${sudo[@]}" env QUENDRA_BUILD="$QUENDRA_BUILD" bash "$0" "$@"
    fi
    suite=${1:-bookworm}
    started=$(date +%s)
    ensure_packages debootstrap dpkg-dev git
    source "$QUENDRA_ROOT/tests/package/debian-system.sh"
    make_system "$suite" 600 sudo
    add_user builder
    echo "source-build-test: the system made in $(($(date +%s) - started)) s"
    source_build_parts "$suite" builder
    echo "source-build-test: $(($(date +%s) - started)) s, $failures parts failed"
    [ "$failures" -eq 0 ]
fi
