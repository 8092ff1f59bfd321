#!/usr/bin/env bash
# The real program natively on Wayland: under a weston of its own (headless backend) at scale 1
# and at scale 2, on Qt's wayland platform with no X display. The program reports its first frame
# through a pipe (QUENDRA_BENCH_REPORT_FD, as for the start-up benchmark); the requests it sent
# the compositor up to then (WAYLAND_DEBUG) must give the window 642x692 logical pixels at both
# scales, drawn in a buffer of that size times the scale. Exits 77, skipped, with the reason where
# no weston can start or Qt has no wayland platform.
#
#   wayland-window.sh PROGRAM
set -euo pipefail

program=$1
skip() {
    echo "SKIP: $*"
    exit 77
}
command -v weston >/dev/null || skip "no Wayland compositor: weston is not installed"

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

start_weston() { # start_weston SCALE: sets "socket" once the compositor listens
    socket=quendra-test-$1
    weston --backend=headless-backend.so --socket="$socket" --width=1000 --height=900 \
        --scale="$1" --idle-time=0 --no-config --log="$runtime/weston-$1.log" &
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

    # The window geometry last set is the window's logical size, its title bar included.
    local geometry width=$((642 * scale)) height=$((692 * scale))
    geometry=$(grep -E -- '-> xdg_surface@[0-9]+\.set_window_geometry\(' "$log" | tail -n 1 |
        sed -E 's/.*set_window_geometry\([0-9-]+, [0-9-]+, ([0-9]+), ([0-9]+)\).*/\1x\2/' || true)
    [ "$geometry" = 642x692 ] && echo "ok: scale $scale: window geometry $geometry" ||
        fail "scale $scale: window geometry \"$geometry\", expected 642x692"
    # Drawn at the output's scale, not stretched: a buffer of the size times the scale.
    local buffer="create_buffer\(new id wl_buffer@[0-9]+, [0-9]+, $width, $height,"
    grep -qE -- "-> wl_shm_pool@[0-9]+\.$buffer" "$log" &&
        echo "ok: scale $scale: drawn in a ${width}x$height buffer" ||
        fail "scale $scale: no ${width}x$height buffer was drawn"

    sleep 1
    kill -0 "$pid" 2>/dev/null && echo "ok: scale $scale: still running a second later" ||
        fail "scale $scale: the program ended after its first frame"
    stop_all
}

check_scale 1
check_scale 2
[ "$failures" -eq 0 ]
