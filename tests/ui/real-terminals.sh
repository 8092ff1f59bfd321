#!/usr/bin/env bash
# "Start encoding" through real terminal emulators (xterm, qterminal, sakura, terminology and
# Debian's tilix wrapper), each in turn as the person's x-terminal-emulator, on the real window:
# Xvfb, openbox and a D-Bus session of the test's own. Part of the full scripts/test run, which
# installs the terminals; not of ctest.
#
#   real-terminals.sh BUILD [SCREENSHOTS]   SCREENSHOTS: a folder for pictures of the terminals
set -euo pipefail

build=$1
screenshots=${2:-}
source "$(dirname "$0")/../../scripts/setup.sh"
ensure_packages xvfb openbox xdotool dbus-daemon xterm qterminal sakura terminology tilix

work=$(mktemp -d "${TMPDIR:-/tmp}/quendra-terminals.XXXXXX")
pids=()
cleanup() {
    local pid
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        pid=${pids[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 600); do # a bound against a hang only
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display")
unset WAYLAND_DISPLAY
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)

# A home, runtime and configuration of the test's own, so that the terminals start as new.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/home/.config
export QT_QPA_PLATFORM=xcb QUENDRA_SCREENSHOTS=$screenshots
export QUENDRA_TERMINALS=${QUENDRA_TERMINALS:-"/usr/bin/xterm /usr/bin/qterminal /usr/bin/sakura /usr/bin/terminology /usr/bin/tilix.wrapper"}
[ -z "$screenshots" ] || mkdir -p "$screenshots"
dbus-run-session -- "$build/bin/real_terminals_tests"
