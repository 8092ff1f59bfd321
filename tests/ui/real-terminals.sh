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
ensure_packages xvfb openbox xdotool x11-utils dbus-daemon xterm qterminal sakura terminology tilix

# A display and openbox of the test's own, up before the window opens (x11-session.sh).
source "$(dirname "$0")/x11-session.sh"
x11_session 1280x1024

# A home, runtime and configuration of the test's own, so that the terminals start as new.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
export HOME=$work/home XDG_RUNTIME_DIR=$work/runtime XDG_CONFIG_HOME=$work/home/.config
export QT_QPA_PLATFORM=xcb QUENDRA_SCREENSHOTS=$screenshots
export QUENDRA_TERMINALS=${QUENDRA_TERMINALS:-"/usr/bin/xterm /usr/bin/qterminal /usr/bin/sakura /usr/bin/terminology /usr/bin/tilix.wrapper"}
[ -z "$screenshots" ] || mkdir -p "$screenshots"
# The terminals' own complaints (terminology's about its D-Bus services) go to a log shown only
# on failure.
if ! dbus-run-session -- "$build/bin/real_terminals_tests" 2>"$work/terminals.log"; then
    cat "$work/terminals.log" >&2
    exit 1
fi
