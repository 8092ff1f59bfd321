#!/usr/bin/env bash
# The real program on X11 under a window manager whose title bar is not the 19 pixels the
# layout's outer size of 642 by 692 was drawn around: Xvfb and openbox with a title font of 20
# points (an rc.xml of the test's own). The window must open with the client area the layout was
# drawn for, the window manager's frame around it, and no scroll bar. Exits 77, skipped, with the
# reason where a tool is missing.
#
#   x11-window.sh PROGRAM [SCREENSHOT]   SCREENSHOT: where to keep a picture of the screen
set -euo pipefail

program=$1
screenshot=${2:-}
source "$(dirname "$0")/client-area.sh"
for tool in Xvfb openbox xdotool xprop xwininfo import convert; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quendra-x11.XXXXXX")
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

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 600); do # a bound against a hang only
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { cat "$work/xvfb.log" >&2; echo "FAIL: Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(head -n 1 "$work/display")
unset WAYLAND_DISPLAY

cat >"$work/rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme>
    <name>Clearlooks</name>
    <font place="ActiveWindow"><name>sans</name><size>20</size></font>
    <font place="InactiveWindow"><name>sans</name><size>20</size></font>
  </theme>
</openbox_config>
XML
openbox --config-file "$work/rc.xml" >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.05
done

# The program says when its first frame is shown (QUENDRA_BENCH_REPORT_FD).
mkfifo "$work/report"
exec {fd}<>"$work/report"
QT_QPA_PLATFORM=xcb QUENDRA_BENCH_REPORT_FD=3 "$program" 3>"$work/report" </dev/null \
    >"$work/program.log" 2>&1 &
pids+=($!)
what=
for _ in $(seq 60); do # at most a minute, on a loaded machine
    read -r -t 1 -u "$fd" what _ && break
    kill -0 "${pids[-1]}" 2>/dev/null || break
done
exec {fd}<&-
if [ "$what" != frame ]; then
    tail -n 20 "$work/program.log" >&2 || true
    echo "FAIL: the program reported no first frame" >&2
    exit 1
fi
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quendra orvo' | head -n 1)

# The frame's extents: left, right, top, bottom. The premise: a title bar taller than 19 pixels.
frame=$(xprop -id "$window" _NET_FRAME_EXTENTS | sed -n 's/.* = //p' | tr -d ' ')
IFS=, read -r left right top bottom <<<"$frame"
[ "$((top - left))" -gt 19 ] && echo "ok: openbox's frame is $left,$right,$top,$bottom" ||
    fail "openbox's frame \"$frame\" has no title bar taller than 19 pixels"

size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
[ "$size" = "${client_width}x$client_height" ] && echo "ok: client area $size" ||
    fail "client area $size, expected ${client_width}x$client_height"

import -window "$window" "$work/client.png"
client_edges_plain "$work/client.png" 0 0 1 && echo "ok: no scroll bar" ||
    fail "the client area's margins are not plain: a scroll bar ($(cat "$work/client.png.edges"))"
[ -z "$screenshot" ] || import -window root "$screenshot"

[ "$failures" -eq 0 ]
