# Sourced by the window tests that run the real program on X11: a display and a window manager
# of the test's own, the program started on them until its first frame shows, and a look at the
# colours of a picture of it. Needs Xvfb, openbox, xdotool, xprop, xwininfo and ImageMagick; a
# test checks for them (x11_tools_or_skip) before it starts.
#
#   x11_work                          makes "work", a folder removed with everything at exit
#   x11_session SCREEN [OPENBOX_RC]   a display of SCREEN (WxH) with openbox on it; sets DISPLAY
#   x11_start_program PROGRAM [VARIABLE=VALUE...]   the program in that environment; sets "window"
#   x11_stop_program

pids=()
program_pid=
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

x11_tools_or_skip() { # tool...: exits 77, skipped, naming the first one missing
    local tool
    for tool in Xvfb openbox xdotool xprop xwininfo import convert "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
    done
}

x11_cleanup() {
    local i
    x11_stop_program
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}

x11_work() {
    work=$(mktemp -d "${TMPDIR:-/tmp}/quendra-x11.XXXXXX")
    trap x11_cleanup EXIT
}

x11_session() {
    [ -n "${work:-}" ] || x11_work
    Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 600); do # a bound against a hang only
        [ -s "$work/display" ] && break
        sleep 0.05
    done
    if [ ! -s "$work/display" ]; then
        cat "$work/xvfb.log" >&2
        echo "FAIL: Xvfb did not start" >&2
        exit 1
    fi
    export DISPLAY=:$(head -n 1 "$work/display")
    unset WAYLAND_DISPLAY
    openbox ${2:+--config-file "$2"} >"$work/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 200); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
        sleep 0.05
    done
}

# The program says when its first frame is shown (QUENDRA_BENCH_REPORT_FD).
x11_start_program() {
    local program=$1 fd what=
    shift
    rm -f "$work/report"
    mkfifo "$work/report"
    exec {fd}<>"$work/report"
    env QT_QPA_PLATFORM=xcb QUENDRA_BENCH_REPORT_FD=3 "$@" "$program" 3>"$work/report" \
        </dev/null >"$work/program.log" 2>&1 &
    program_pid=$!
    for _ in $(seq 60); do # at most a minute, on a loaded machine
        read -r -t 1 -u "$fd" what _ && break
        kill -0 "$program_pid" 2>/dev/null || break
    done
    exec {fd}<&-
    if [ "$what" != frame ]; then
        tail -n 20 "$work/program.log" >&2 || true
        echo "FAIL: the program reported no first frame" >&2
        exit 1
    fi
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quendra orvo' | head -n 1)
}

x11_stop_program() {
    [ -n "$program_pid" ] || return 0
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=
}

# The frame's extents as the window manager gives them: left,right,top,bottom.
x11_frame_extents() {
    xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ' '
}

# The client area's place on the screen: X Y WIDTH HEIGHT.
x11_client_geometry() {
    xwininfo -id "$window" | awk '/Absolute upper-left X:/ { x = $4 } /Absolute upper-left Y:/ { y = $4 }
        /Width:/ { w = $2 } /Height:/ { h = $2 } END { print x, y, w, h }'
}

# contrast_at IMAGE FACE X Y WIDTH HEIGHT: the highest contrast (WCAG 2's ratio, two decimals) of
# any pixel of that part of IMAGE against the colour FACE (#rrggbb): where a line or a text is
# there, its colour's.
contrast_at() {
    local image=$1 face=$2
    convert "$image" -alpha off -crop "${5}x${6}+${3}+${4}" +repage -depth 8 txt:- |
        awk -v face="$face" '
            function channel(hex,    c) {
                hex = tolower(hex)
                c = index("0123456789abcdef", substr(hex, 1, 1)) - 1
                c = (c * 16 + index("0123456789abcdef", substr(hex, 2, 1)) - 1) / 255
                if (c <= 0.04045)
                    return c / 12.92
                return ((c + 0.055) / 1.055) ^ 2.4
            }
            function luminance(rgb,    r) {
                r = 0.2126 * channel(substr(rgb, 2, 2))
                return r + 0.7152 * channel(substr(rgb, 4, 2)) + 0.0722 * channel(substr(rgb, 6, 2))
            }
            BEGIN { f = luminance(face); best = 1 }
            match($0, /#[0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f][0-9A-Fa-f]/) {
                l = luminance(substr($0, RSTART, 7))
                ratio = l > f ? (l + 0.05) / (f + 0.05) : (f + 0.05) / (l + 0.05)
                if (ratio > best)
                    best = ratio
            }
            END { printf "%.2f\n", best }'
}

# pixel_at IMAGE X Y: the colour there as #rrggbb.
pixel_at() {
    convert "$1" -alpha off -format "#%[hex:p{$2,$3}]" info: | cut -c1-7 | tr 'A-F' 'a-f'
}

# at_least VALUE MINIMUM: true where VALUE >= MINIMUM (decimals).
at_least() {
    awk -v v="$1" -v m="$2" 'BEGIN { exit !(v >= m) }'
}
