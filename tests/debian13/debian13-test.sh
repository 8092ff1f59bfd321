#!/usr/bin/env bash
# Debian 13 as a person meets it: a new Debian 13 system, made with debootstrap from the Debian
# archive this machine uses, in which
#   1. an ordinary user who may use sudo, with the umask 0002 Debian 13 gives its users, clones
#      this checkout afresh and runs `scripts/test --quick` (which installs what it needs through
#      sudo, builds and runs the tests), and
#   2. the .deb built here (by scripts/package, on this machine's Debian) installs with
#      `sudo apt-get install ./<file>.deb`, and the installed program opens its window on X11
#      with the client area it was drawn for and no scroll bar (tests/ui/x11-window.sh), and
#   3. the source package builds there as Debian builds it, with lintian and autopkgtest
#      (tests/package/source-build-test.sh, which does the same on a new Debian 12 system).
# Each runs whatever the others' outcome; each is bounded in time. The clone and the source
# package take the committed state (HEAD): what is not committed is not tested there. The system
# (tests/package/debian-system.sh) lives in a scratch folder removed at the end, with its mounts
# and every process started in it.
#
#   tests/debian13/debian13-test.sh [DEB]     DEB: the package to install; by default scripts/package's
#
# Runs as root (through sudo where it is not), as it makes a system and mounts into it.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/setup.sh"

if [ "$(id -u)" -ne 0 ]; then
    need_root "Making a Debian 13 system needs root." "$0 $*"
    exec "${sudo[@]}" env QUENDRA_BUILD="$QUENDRA_BUILD" bash "$0" "$@"
fi

suite=trixie
user=person
# Bounds on each part, far above what each takes: they end a hang, not a slow run.
bootstrap_bound=600
quick_bound=1800
deb_bound=600

started=$(date +%s)
ensure_packages debootstrap git
deb=${1:-}
if [ -z "$deb" ]; then
    deb=$(QUENDRA_BUILD=$QUENDRA_BUILD bash "$QUENDRA_ROOT/scripts/package" | tail -n 1)
fi
[ -f "$deb" ] || { echo "FAIL: no package $deb" >&2; exit 1; }

source "$QUENDRA_ROOT/tests/package/debian-system.sh"
source "$QUENDRA_ROOT/tests/package/source-build-test.sh"
make_system "$suite" "$bootstrap_bound" sudo,git
add_user "$user"
# The checkout's committed state, as a bundle the user clones from (with its branch, if it is on one).
refs=(HEAD)
branch=$(git -C "$QUENDRA_ROOT" symbolic-ref -q HEAD) && refs+=("$branch")
git -C "$QUENDRA_ROOT" bundle create "$system/tmp/quendra-orvo.bundle" "${refs[@]}" 2>"$scratch/bundle.log" ||
    { cat "$scratch/bundle.log" >&2; echo "FAIL: git could not bundle HEAD" >&2; exit 1; }
cp "$deb" "$system/tmp/"
chmod 644 "$system/tmp/quendra-orvo.bundle" "$system/tmp/${deb##*/}"
echo "debian13-test: the system made in $(($(date +%s) - started)) s"

# 1. The quick suite from a fresh clone. Its log in full stays in the build folder; here the
# tests that failed, with their output, and ctest's summary (or the end, where it never got there).
echo "== Debian 13: a fresh clone runs scripts/test --quick as $user, umask 0002"
quick_log=$QUENDRA_BUILD/debian13-quick.log
mkdir -p "$QUENDRA_BUILD"
part_started=$(date +%s)
status=0
as_user "$user" "$quick_bound" "$quick_log" \
    "git clone --quiet /tmp/quendra-orvo.bundle quendra-orvo && cd quendra-orvo && scripts/test --quick" ||
    status=$?
if grep -q '^Test project ' "$quick_log"; then
    sed -n '/^Test project /,$p' "$quick_log" |
        grep -vE '^ *([0-9]+/[0-9]+ Test +#[0-9]+: .* +Passed +|Start +[0-9]+: )' || true
else
    tail -n 60 "$quick_log"
fi
part "scripts/test --quick on Debian 13 ($(($(date +%s) - part_started)) s; log: $quick_log)" \
    "$status"

# 2. The package of this machine's Debian, installed and started.
echo "== Debian 13: ${deb##*/} installs and opens its window"
deb_log=$QUENDRA_BUILD/debian13-package.log
part_started=$(date +%s)
status=0
as_user "$user" "$deb_bound" "$deb_log" "set -e
cp /tmp/${deb##*/} .
sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \\
    ./${deb##*/} xvfb openbox xdotool x11-utils imagemagick
git clone --quiet /tmp/quendra-orvo.bundle window-check
bash window-check/tests/ui/x11-window.sh /usr/bin/quendra-orvo" || status=$?
grep -E '^(ok|FAIL|SKIP)' "$deb_log" || tail -n 40 "$deb_log"
# x11-window.sh skips (77) where a tool is missing: here that is a failure.
part "the package installs and its window shows ($(($(date +%s) - part_started)) s; log: $deb_log)" \
    "$status"

# 3. The source package built there as Debian builds it, checked by lintian and autopkgtest.
source_build_parts "$suite" "$user"

echo "debian13-test: $(($(date +%s) - started)) s, $failures parts failed"
[ "$failures" -eq 0 ]
