#!/usr/bin/env bash
# The real program natively on Wayland: under a weston of its own (headless backend) at scale 1
# and at scale 2, on Qt's wayland platform with no X display. The program reports its first frame
# through a pipe (QUENDRA_BENCH_REPORT_FD, as for the start-up benchmark); the requests it sent
# the compositor up to then (WAYLAND_DEBUG) must give the window the client area the layout was
# drawn for, 634x665 logical pixels (its opaque region), with Qt's own title bar and borders
# around it (weston draws none), drawn in a buffer of the whole times the scale; weston's picture
# of its screen must show no scroll bar. Exits 77, skipped, with the reason where no weston can
# start or Qt has no wayland platform.
#
#   wayland-window.sh PROGRAM [FOLDER]   FOLDER: where to keep weston's pictures of the screen
set -euo pipefail

program=$1
pictures=${2:-}
source "$(dirname "$0")/client-area.sh"
skip() {
    echo "SKIP: $*"
    exit 77
}
command -v weston >/dev/null || skip "no Wayland compositor: weston is not installed"
command -v convert >/dev/null || skip "no ImageMagick to look at weston's picture of the screen"

# A runtime folder of its own (mktemp -d makes it 0700, as Wayland wants), so that neither the
# session's compositor nor a parallel test is reached.
runtime=$(mktemp -d "${TMPDIR:-/tmp}/quendra-wayland.XXXXXX")
export XDG_RUNTIME_DIR=$runtime
pids=()
stop_all() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    pids=()
}
trap 'stop_all; rm -rf "$runtime"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# A plain desktop, one colour and no panel, so that the window is what is not that colour in
# weston's picture of the screen (the debug protocol lets weston-screenshooter take one).
background=204060
cat >"$runtime/weston.ini" <<INI
[shell]
panel-position=none
startup-animation=none
background-image=
background-color=0xff$background
INI

start_weston() { # start_weston SCALE: sets "socket" once the compositor listens
    socket=quendra-test-$1
    weston --backend=headless-backend.so --use-pixman --debug --socket="$socket" --width=1000 \
        --height=900 --scale="$1" --idle-time=0 --config="$runtime/weston.ini" \
        --log="$runtime/weston-$1.log" &
    pids+=($!)
    local _
    for _ in $(seq 200); do
        [ -S "$runtime/$socket" ] && return 0
        kill -0 "${pids[-1]}" 2>/dev/null || break
        sleep 0.1
    done
    tail -n 5 "$runtime/weston-$1.log" 2>/dev/null || true
    skip "no Wayland compositor: weston's headless backend did not start at scale $1"
}

# The arguments of each request INTERFACE.REQUEST the program sent, one a line, from the log
# WAYLAND_DEBUG writes: "-> wl_region@16.add(0, 0, 634, 665)", where libwayland 1.23 writes
# "wl_region#16", and may put a queue's name before the arrow.
sent() { # sent INTERFACE.REQUEST LOG
    local interface=${1%%.*} request=${1#*.}
    sed -nE "s/.* -> $interface[@#][0-9]+\.$request\((.*)\)\s*$/\1/p" "$2"
}

check_scale() { # check_scale SCALE
    local scale=$1 log=$runtime/program-$1.log report=$runtime/report-$1 fd what=
    start_weston "$scale"
    mkfifo "$report"
    exec {fd}<>"$report"
    env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=1 \
        QUENDRA_BENCH_REPORT_FD=3 "$program" 3>"$report" </dev/null >"$log" 2>&1 &
    pids+=($!)
    local pid=$! _
    for _ in $(seq 60); do # at most a minute, on a loaded machine
        read -r -t 1 -u "$fd" what _ && break
        kill -0 "$pid" 2>/dev/null || break
    done
    exec {fd}<&-
    if grep -q 'Could not find the Qt platform plugin "wayland"' "$log"; then
        skip "Qt has no wayland platform plugin: qt6-wayland is not installed"
    fi
    if [ "$what" != frame ]; then
        grep -v '^\[' "$log" | tail -n 20 >&2 || true
        fail "scale $scale: the program reported no first frame"
        return
    fi
    echo "ok: scale $scale: the first frame was shown natively on Wayland"

    # The client area is what Qt declares opaque; the window geometry last set, its title bar
    # and borders included, is larger by Qt's frame.
    local client offset geometry width height
    read -r offset client < <(sent wl_region.add "$log" | tail -n 1 |
        sed -E 's/^([0-9-]+), ([0-9-]+), ([0-9]+), ([0-9]+)$/\1,\2 \3x\4/' || true)
    [ "$client" = "${client_width}x$client_height" ] && echo "ok: scale $scale: client area $client" ||
        fail "scale $scale: client area \"$client\", expected ${client_width}x$client_height"
    geometry=$(sent xdg_surface.set_window_geometry "$log" | tail -n 1 |
        sed -E 's/^[0-9-]+, [0-9-]+, ([0-9]+), ([0-9]+)$/\1x\2/' || true)
    IFS=x read -r width height <<<"$geometry"
    [ "${width:-0}" -gt "$client_width" ] && [ "${height:-0}" -gt "$client_height" ] &&
        echo "ok: scale $scale: window geometry $geometry, Qt's frame around the client area" ||
        fail "scale $scale: window geometry \"$geometry\" has no frame around the client area"
    # Drawn at the output's scale, not stretched: a buffer of the size times the scale (the
    # arguments: the new buffer, offset, width, height, stride, format).
    sent wl_shm_pool.create_buffer "$log" |
        grep -qE -- "^new id [^,]+, [0-9]+, $((width * scale)), $((height * scale)), " &&
        echo "ok: scale $scale: drawn in a $((width * scale))x$((height * scale)) buffer" ||
        fail "scale $scale: no $((width * scale))x$((height * scale)) buffer was drawn"

    sleep 1 # then weston has surely composited the first frame
    # The window is what differs from the desktop's colour; its client area lies at the opaque
    # region's offset in it.
    local picture=$runtime/screen-$scale.png found left top
    (cd "$runtime" && WAYLAND_DISPLAY="$socket" weston-screenshooter >/dev/null 2>&1 &&
        mv wayland-screenshot-*.png "$picture") || true
    if [ -s "$picture" ]; then
        # The box of what is not the desktop, in the picture with a border of the desktop.
        found=$(convert "$picture" -alpha off -bordercolor "#$background" -border 1 \
            -format '%@' info:)
        IFS=+ read -r _ left top <<<"$found"
        client_edges_plain "$picture" $((left - 1 + ${offset%,*} * scale)) \
            $((top - 1 + ${offset#*,} * scale)) "$scale" && echo "ok: scale $scale: no scroll bar" ||
            fail "scale $scale: a scroll bar: the client area's margins are not plain"
        [ -z "$pictures" ] || cp "$picture" "$pictures/"
    else
        fail "scale $scale: weston-screenshooter took no picture"
    fi

    kill -0 "$pid" 2>/dev/null && echo "ok: scale $scale: still running a second later" ||
        fail "scale $scale: the program ended after its first frame"
    stop_all
}

check_scale 1
check_scale 2
[ "$failures" -eq 0 ]
