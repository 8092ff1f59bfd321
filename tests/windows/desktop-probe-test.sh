#!/usr/bin/env bash
# Drives the desktop probe (DesktopProbe.cpp), a real Win32 window, with xdotool on the desktop
# that wine-desktop.sh made, and checks what the window received: typed and pasted text, clicks
# on a check box and a button, a key press, the screen's pixels per inch. Leaves a screenshot.
#
#   tests/windows/wine-desktop.sh --dpi 144 -- tests/windows/desktop-probe-test.sh \
#       build-win32/bin/desktop_probe.exe 144 [screenshot.png]
set -euo pipefail

probe=$1
expected_dpi=$2
screenshot=${3:-}
state_file=$WINEPREFIX/drive_c/probe-state.txt
failures=0
checks=0

# The probe's controls in client coordinates, as DesktopProbe.cpp places them: the X window wine
# makes for a top-level window under a window manager is its client area.
edit=(160 22)
check_box=(20 56)
button=(70 92)

expect() { # name actual expected
    checks=$((checks + 1))
    if [ "$2" != "$3" ]; then
        echo "FAILED: $1: got [$2], expected [$3]" >&2
        failures=$((failures + 1))
    fi
}

value() { # key: its value in the state file
    sed -n "s/^$1=//p" "$state_file"
}

# Waits until the probe has written the state of its n-th button press.
state_after() { # presses
    for _ in $(seq 600); do # a bound against a hang only
        [ -f "$state_file" ] && [ "$(value presses)" = "$1" ] && return 0
        sleep 0.1
    done
    echo "FAILED: the probe never wrote the state of press $1" >&2
    exit 1
}

click() { # x y
    xdotool mousemove --window "$window" "$1" "$2" click 1
}

"$WINE" "$probe" 'C:\probe-state.txt' &
probe_pid=$!
window=$(timeout 120 xdotool search --sync --onlyvisible --name '^Quendra desktop probe$' |
    head -n 1)
xdotool windowactivate --sync "$window"

# ASCII is typed; other text goes through the clipboard, since xdotool types a character that
# is not on the keyboard map by remapping a key for it, and wine now and then sees the old map.
click "${edit[@]}"
xdotool type --delay 20 'Typed, then pasted: '
pasted='Müsik 日本語 “Ελληνικά” 🎵'
printf '%s' "$pasted" | xclip -selection clipboard 2>/dev/null # it stays to serve the paste
# xclip takes the clipboard in the background; under load the paste can come first.
for _ in $(seq 100); do # a bound against a hang only
    [ "$(xclip -o -selection clipboard 2>/dev/null)" = "$pasted" ] && break
    sleep 0.1
done
xdotool key ctrl+v
click "${check_box[@]}"
click "${button[@]}"
state_after 1
expect "text" "$(value text)" 'Typed, then pasted: Müsik 日本語 “Ελληνικά” 🎵'
expect "check box after a click" "$(value checked)" 1
expect "GetDpiForWindow" "$(value windowDpi)" "$expected_dpi"
expect "GetDeviceCaps(LOGPIXELSY)" "$(value logPixelsY)" "$expected_dpi"

# The button keeps the focus after its click, so the space bar presses it again.
click "${check_box[@]}"
click "${button[@]}"
state_after 2
xdotool key space
state_after 3
expect "check box after a second click" "$(value checked)" 0

if [ -n "$screenshot" ]; then
    import -window root "$screenshot"
    expect "screenshot size" "$(identify -format '%wx%h' "$screenshot")" 1280x1024
fi

kill "$probe_pid"
wait "$probe_pid" 2>/dev/null || true
echo "desktop probe: $((checks - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
