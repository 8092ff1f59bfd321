#!/usr/bin/env bash
# The real program natively on Wayland under the compositors of Debian 12's desktops, each
# headless in a session of its own (runtime folder, home, D-Bus session): GNOME's mutter (a
# virtual monitor; Qt draws the frame), KDE Plasma's kwin_wayland (a virtual output; Breeze's
# frame) and sway (headless; sway's frame), at 1024x600 and 1366x768, KWin and sway at 1366x768
# scaled by 1.25 too. On each:
#  - the whole window, frame included, lies on the screen: by the frame KWin and sway report, and
#    under mutter, which reports none, by its own screen cast: what the window changes in the
#    picture of the screen is as large as the window the program set;
#  - no horizontal scroll bar, since every screen here has the width (a vertical one where the
#    height is short);
#  - the compositor's maximize request (a KWin script's setMaximize, mutter's Super+Up) leaves
#    the window as it was; sway, a tiling compositor, has none;
#  - at the first size, "Start encoding" opens the desktop's terminal (Konsole, foot), which runs
#    the encoder titled by its name (where the compositor lists windows: not bare mutter) and
#    makes the MP3.
# Buttons are pressed and the file choosers filled through the window's accessibility interface
# (window-access.py), the same on every compositor, since none lets one client press another's
# buttons. Each picture of the screen is the compositor's own (KWin's ScreenShot2, mutter's screen
# cast through PipeWire, grim), kept in PICTURES if given. Part of the full scripts/test run, not
# of ctest. A compositor that cannot start here is skipped alone, with the reason; exits 77 where
# none could. Every wait is bounded; every process a session started is ended with it.
#
#   compositors.sh BUILD [PICTURES]
set -euo pipefail

build=$1
pictures=${2:-}
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../scripts/setup.sh"
ensure_packages mutter pipewire wireplumber gstreamer1.0-pipewire gstreamer1.0-tools kwin-wayland \
    kwin-style-breeze qtwayland5 konsole sway grim foot qt6-wayland dbus-daemon at-spi2-core \
    python3-dbus python3-gi gir1.2-atspi-2.0 imagemagick file
[ -z "$pictures" ] || mkdir -p "$pictures"

python=/usr/bin/python3 # Debian's, which has python3-dbus and python3-gi
access() { "$python" "$here/window-access.py" "$@"; }
compositor_bus() { "$python" "$here/compositor-bus.py" "$@"; }
program=$build/bin/Project1
title='Quendra orvo'

root=$(mktemp -d "${TMPDIR:-/tmp}/quendra-compositors.XXXXXX")
chmod 755 "$root" # sway's own user reaches its folder in it
trap 'rm -rf "$root"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
check() { # check WHAT COMMAND...: "ok: WHAT" where the command succeeds, a failure otherwise
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else fail "$what"; fi
}
skip() { # within a session: ends it, skipped with the reason
    echo "SKIP: $*"
    exit 77
}
# wait_for SECONDS COMMAND...: true once the command succeeds within that time, false at once
# where the session's compositor ("compositor", a process id, once started) has ended.
wait_for() {
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        [ -z "${compositor:-}" ] || kill -0 "$compositor" 2>/dev/null || return 1
        sleep 0.1
    done
}

# Every process of the session: what it started carries the session's folder in its environment
# ("mark"), and so do the terminals the window starts and the services D-Bus starts.
session_processes() {
    local pid
    for pid in $(ps -e -o pid=); do
        [ "$pid" != "$BASHPID" ] || continue
        grep -qxzF "QUENDRA_SESSION=$session" "/proc/$pid/environ" 2>/dev/null && echo "$pid"
    done
}
end_session() {
    local remaining compositor= # its end is awaited here
    kill $(session_processes) 2>/dev/null || true
    wait_for 5 eval '[ -z "$(session_processes)" ]' && return 0
    remaining=$(session_processes)
    echo "still running 5 s after SIGTERM, killed:" \
        "$(ps -o comm= -p "${remaining//$'\n'/,}" | xargs)" >&2
    kill -KILL $remaining 2>/dev/null || true
}

# A session of its own, in a subshell: its folder, home, runtime folder and D-Bus session.
open_session() { # open_session NAME
    session=$root/$1
    mkdir -p "$session/home" "$session/terminal"
    mkdir -m 700 "$session/run"
    mark=(env QUENDRA_SESSION="$session")
    export HOME=$session/home XDG_RUNTIME_DIR=$session/run
    export XDG_CONFIG_HOME=$HOME/.config XDG_CACHE_HOME=$HOME/.cache GSETTINGS_BACKEND=memory
    unset DISPLAY WAYLAND_DISPLAY SWAYSOCK DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
    unset QT_QPA_PLATFORM SESSION_MANAGER XDG_CURRENT_DESKTOP
    trap end_session EXIT
    "${mark[@]}" dbus-daemon --session --nofork --print-address=3 3>"$session/bus" >/dev/null 2>&1 &
    wait_for 10 test -s "$session/bus" || skip "$1: no D-Bus session started"
    DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$session/bus")
    export DBUS_SESSION_BUS_ADDRESS
}
has_name() { # has_name NAME: true while a process owns NAME on the session's bus
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'boolean true'
}

# The program on the compositor at "display" (a socket's path), natively on Wayland, its
# requests logged, with TERMINAL as the person's x-terminal-emulator (through a link that notes
# each start in "terminal/started"); waits for its window.
start_program() { # start_program TERMINAL
    printf '#!/bin/sh\necho "$*" >>"%s"\nexec %s "$@"\n' "$session/terminal/started" \
        "$(command -v "$1")" >"$session/terminal/x-terminal-emulator"
    chmod +x "$session/terminal/x-terminal-emulator"
    terminal=$1
    access start
    "${mark[@]}" WAYLAND_DISPLAY="$display" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
        QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 PATH="$session/terminal:$PATH" "$program" </dev/null \
        >"$session/program.log" 2>&1 &
    access scroll-bars >/dev/null || {
        grep -v '^\[' "$session/program.log" | tail -n 20 >&2
        fail "$name: the window did not show"
        exit 1
    }
}
# The size of the window with Qt's frame as the program last set it on Wayland.
set_size() {
    local n='([0-9-]+)'
    sed -nE "s/.* -> xdg_surface[@#][0-9]+\.set_window_geometry\($n, $n, $n, $n\)\s*$/\3 \4/p" \
        "$session/program.log" | tail -n 1
}
# Waits, within 10 s, until FRAME (a command printing the window's frame) gives the same twice
# half a second apart, then prints it.
steady() {
    local before after _
    before=$("$@")
    for _ in $(seq 20); do
        sleep 0.5
        after=$("$@")
        [ -n "$after" ] && [ "$after" = "$before" ] && break
        before=$after
    done
    echo "$after"
}
on_screen() { # on_screen "X Y WIDTH HEIGHT SCREEN_WIDTH SCREEN_HEIGHT [MORE]"
    local x y width height screen_width screen_height _
    read -r x y width height screen_width screen_height _ <<<"$1"
    [ -n "$screen_height" ] && [ "$x" -ge 0 ] && [ "$y" -ge 0 ] &&
        [ "$((x + width))" -le "$screen_width" ] && [ "$((y + height))" -le "$screen_height" ]
}
describe() { # describe FRAME: "WxH at X,Y on a WxH screen"
    local x y width height screen_width screen_height _
    read -r x y width height screen_width screen_height _ <<<"$1"
    echo "${width}x$height at $x,$y on a ${screen_width}x$screen_height screen"
}
check_scroll_bars() {
    local bars
    bars=$(access scroll-bars | sort | uniq | xargs)
    check "$name: no horizontal scroll bar (shown: ${bars:-none})" \
        eval '[[ " $bars " != *" horizontal "* ]]'
}
keep_picture() { # keep_picture FILE
    [ -z "$pictures" ] || cp "$1" "$pictures/$name.png"
}

# "Start encoding" through the window: pressed first without an output file, which fails and
# keeps the terminal open (for TITLE_OF, a command printing the terminal's title, where there is
# one), then with input and output chosen in the file choosers, which makes the MP3.
check_encoding() { # check_encoding [TITLE_OF]
    local title_of=${1:-} terminal_title= deadline
    access tone "$session/tone.wav"
    access press 'select input file'
    access fill 'File name:' "$session/tone.wav"
    access press Open
    if [ -n "$title_of" ]; then
        access press 'Start encoding'
        deadline=$((SECONDS + 10)) # the terminal may show its own title first
        until terminal_title=$($title_of) && [[ $terminal_title == *lame.bin* ]] ||
            [ "$SECONDS" -ge "$deadline" ]; do
            sleep 0.3
        done
        check "$name: the terminal's title names the encoder: \"$terminal_title\"" \
            eval '[[ $terminal_title == *lame.bin* ]]'
    fi
    access press 'select output file'
    access fill 'File name:' "$session/tone.mp3"
    access press Save
    access press 'Start encoding'
    wait_for 30 test -s "$session/tone.mp3" || true
    sleep 0.5 # the encoder closes the file as it ends
    check "$name: \"Start encoding\" opened $terminal, which made the MP3" \
        eval 'grep -q start-encoder "$session/terminal/started" 2>/dev/null &&
            file -b "$session/tone.mp3" | grep -q "MPEG ADTS, layer III"'
}

# mutter: no window list, so the window is what changed in mutter's picture of the screen since
# before it opened.
mutter_frame() {
    compositor_bus mutter-screenshot "$session/screen.png" >/dev/null 2>&1 || return 0
    convert "$session/desktop.png" "$session/screen.png" -compose difference -composite \
        -colorspace gray -threshold 5% -format '%@ %w %h' info: |
        sed -E 's/^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)/\3 \4 \1 \2/'
}
run_mutter() { # run_mutter WIDTH HEIGHT ENCODE
    name=mutter-$1x$2
    command -v mutter >/dev/null || skip "$name: mutter is not installed"
    open_session "$name"
    "${mark[@]}" pipewire >"$session/pipewire.log" 2>&1 &
    wait_for 10 test -S "$XDG_RUNTIME_DIR/pipewire-0" || skip "$name: PipeWire did not start"
    "${mark[@]}" wireplumber >"$session/wireplumber.log" 2>&1 &
    "${mark[@]}" mutter --headless --wayland --no-x11 --wayland-display=quendra \
        --virtual-monitor "$1x$2" >"$session/compositor.log" 2>&1 &
    compositor=$!
    display=$XDG_RUNTIME_DIR/quendra
    wait_for 20 test -S "$display" && wait_for 10 has_name org.gnome.Mutter.ScreenCast || {
        tail -n 5 "$session/compositor.log"
        skip "$name: mutter did not start"
    }
    wait_for 10 compositor_bus mutter-screenshot "$session/desktop.png" 2>/dev/null ||
        skip "$name: mutter's screen cast gave no picture (PipeWire)"
    start_program foot

    local frame size after
    frame=$(steady mutter_frame)
    size=$(set_size)
    check "$name: the whole window on the screen, as large in its picture as set ($size): $(
        describe "$frame")" \
        eval 'on_screen "$frame" && [ "$(cut -d" " -f3,4 <<<"$frame")" = "$size" ]'
    keep_picture "$session/screen.png"
    check_scroll_bars
    compositor_bus mutter-keys Super_L Up
    sleep 2
    after=$(steady mutter_frame)
    check "$name: Super+Up left the window as it was: $(describe "$after")" \
        eval '[ -n "$after" ] && [ "$after" = "$frame" ]'
    [ "$3" = no ] || check_encoding
    [ "$failures" -eq 0 ]
}

# KWin: a script run inside it prints each window's frame and caption to its log.
kwin_script() { # kwin_script JAVASCRIPT: runs it, then prints what it printed
    local tag=quendra-$RANDOM$RANDOM
    printf 'const mark = "%s";\n%s\n' "$tag" "$1" >"$session/script.js"
    compositor_bus kwin-script "$session/script.js" >/dev/null 2>&1 || return 0
    sleep 0.3
    sed -n "s/^js: $tag //p" "$session/compositor.log"
}
kwin_window() { # kwin_window CAPTION_PART: "X Y WIDTH HEIGHT SCREEN_WIDTH SCREEN_HEIGHT"
    kwin_script "const screen = workspace.virtualScreenSize;
for (const w of workspace.clientList())
    if (w.normalWindow && w.caption.indexOf('$1') >= 0)
        print(mark, w.frameGeometry.x, w.frameGeometry.y, w.frameGeometry.width,
              w.frameGeometry.height, screen.width, screen.height);" | tail -n 1
}
kwin_terminal_title() {
    kwin_script "for (const w of workspace.clientList())
    if (w.normalWindow && w.caption.indexOf('$title') < 0) print(mark, w.caption);" | tail -n 1
}
run_kwin() { # run_kwin WIDTH HEIGHT SCALE ENCODE: the screen's size in pixels
    name=kwin-$1x$2-$3
    [ -x /usr/bin/kwin_wayland ] || skip "$name: kwin_wayland is not installed"
    open_session "$name"
    local frame after width height
    # KWin takes the size in logical pixels.
    read -r width height < <(awk -v w="$1" -v h="$2" -v s="$3" \
        'BEGIN { printf "%d %d\n", w / s + 0.5, h / s + 0.5 }')
    # A copy of its own: without the file capability the installed one has, which some
    # containers refuse to start.
    cp /usr/bin/kwin_wayland "$session/kwin_wayland"
    "${mark[@]}" KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 \
        QT_LOGGING_RULES='kwin_scripting.debug=true' "$session/kwin_wayland" --virtual \
        --width "$width" --height "$height" --scale "$3" \
        --socket quendra --no-lockscreen --no-global-shortcuts >"$session/compositor.log" 2>&1 &
    compositor=$!
    display=$XDG_RUNTIME_DIR/quendra
    wait_for 30 test -S "$display" && wait_for 10 has_name org.kde.KWin || {
        tail -n 5 "$session/compositor.log"
        skip "$name: kwin_wayland did not start"
    }
    start_program konsole

    frame=$(steady kwin_window "$title")
    check "$name: the whole window on the screen, by KWin's frame: $(describe "$frame")" \
        on_screen "$frame"
    compositor_bus kwin-screenshot "$session/screen.png" && keep_picture "$session/screen.png" ||
        fail "$name: KWin took no picture of its screen"
    check_scroll_bars
    kwin_script "for (const w of workspace.clientList())
    if (w.caption.indexOf('$title') >= 0) w.setMaximize(true, true);" >/dev/null
    sleep 2
    after=$(steady kwin_window "$title")
    check "$name: KWin's maximize request left the window as it was: $(describe "$after")" \
        eval '[ -n "$after" ] && [ "$after" = "$frame" ]'
    [ "$4" = no ] || check_encoding kwin_terminal_title
    [ "$failures" -eq 0 ]
}

# sway: its tree gives each window's place, title bar included, and the room for its surface.
sway_tree() { # sway_tree WHO: "X Y WIDTH HEIGHT SCREEN_WIDTH SCREEN_HEIGHT ROOM_WIDTH
    # ROOM_HEIGHT TITLE", WHO the window ("window") or another ("other")
    swaymsg -t get_tree 2>/dev/null | "$python" -c '
import json, sys
def leaves(node, output):
    if node["type"] == "output":
        output = node["rect"]
    if node.get("pid"):
        yield node, output
    for child in node["nodes"] + node["floating_nodes"]:
        yield from leaves(child, output)
for node, output in leaves(json.load(sys.stdin), None):
    if (sys.argv[2] in node["name"]) == (sys.argv[1] == "window"):
        rect, title, room = node["rect"], node["deco_rect"]["height"], node["window_rect"]
        print(rect["x"] - output["x"], rect["y"] - output["y"] - title, rect["width"],
              rect["height"] + title, output["width"], output["height"], room["width"],
              room["height"], node["name"])' \
        "$1" "$title"
}
sway_frame() { sway_tree window | cut -d' ' -f1-8; }
sway_terminal_title() { sway_tree other | cut -d' ' -f9-; }
run_sway() { # run_sway WIDTH HEIGHT SCALE ENCODE
    name=sway-$1x$2-$3
    command -v sway >/dev/null || skip "$name: sway is not installed"
    open_session "$name"
    # Not as root, which sway refuses: as nobody where the test runs as root, with a runtime
    # folder of that user.
    local as=() sway_run=$XDG_RUNTIME_DIR
    if [ "$(id -u)" -eq 0 ]; then
        as=(setpriv --reuid="$(id -u nobody)" --regid="$(id -g nobody)" --clear-groups)
        sway_run=$session/sway-run
        mkdir -m 700 "$sway_run"
        chown nobody: "$sway_run"
    fi
    printf 'output HEADLESS-1 resolution %sx%s scale %s\n' "$1" "$2" "$3" >"$session/sway.conf"
    "${as[@]}" "${mark[@]}" XDG_RUNTIME_DIR="$sway_run" WLR_BACKENDS=headless \
        WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway --config "$session/sway.conf" \
        >"$session/compositor.log" 2>&1 &
    compositor=$!
    wait_for 20 eval 'SWAYSOCK=$(ls "$sway_run"/sway-ipc.*.sock 2>/dev/null)' &&
        wait_for 10 eval 'display=$(ls "$sway_run"/wayland-? 2>/dev/null)' || {
        tail -n 5 "$session/compositor.log"
        skip "$name: sway did not start"
    }
    export SWAYSOCK
    start_program foot

    local frame room size
    frame=$(steady sway_frame)
    check "$name: the whole window on the screen, by sway's tree: $(describe "$frame")" \
        on_screen "$frame"
    # sway clips a surface larger than the room it gives it.
    room=$(cut -d' ' -f7,8 <<<"$frame")
    size=$(set_size)
    check "$name: the window as set ($size) within its room in the tile (${room/ /x})" \
        eval '[ -n "$size" ] && [ "${size% *}" -le "${room% *}" ] &&
            [ "${size#* }" -le "${room#* }" ]'
    WAYLAND_DISPLAY=$display grim "$session/screen.png" && keep_picture "$session/screen.png" ||
        fail "$name: grim took no picture of sway's screen"
    check_scroll_bars
    echo "SKIP: $name: no maximize to try: sway tiles its windows and has no maximize request"
    [ "$4" = no ] || check_encoding sway_terminal_title
    [ "$failures" -eq 0 ]
}

# QUENDRA_COMPOSITORS names those to try (all three where unset).
compositors=" ${QUENDRA_COMPOSITORS:-mutter kwin sway} "
ran=0
run() { # run FUNCTION ARGUMENT...: in a subshell, a session of its own; counts what ran
    local status
    [[ $compositors == *" ${1#run_} "* ]] || return 0
    set +e
    (
        set -e
        "$@"
    )
    status=$?
    set -e
    case $status in
    0) ran=$((ran + 1)) ;;
    77) ;;
    *) ran=$((ran + 1)) failures=$((failures + 1)) ;;
    esac
}
started=$SECONDS
run run_mutter 1024 600 yes
run run_mutter 1366 768 no
run run_kwin 1024 600 1 yes
run run_kwin 1366 768 1 no
run run_kwin 1366 768 1.25 no
run run_sway 1024 600 1 yes
run run_sway 1366 768 1 no
run run_sway 1366 768 1.25 no
echo "the compositors took $((SECONDS - started)) s"
[ "$ran" -gt 0 ] || exit 77
[ "$failures" -eq 0 ]
