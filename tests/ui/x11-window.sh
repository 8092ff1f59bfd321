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
source "$(dirname "$0")/x11-session.sh"
x11_tools_or_skip

x11_work
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
x11_session 1280x1024 "$work/rc.xml"
x11_start_program "$program"

# The frame's extents: left, right, top, bottom. The premise: a title bar taller than 19 pixels.
frame=$(x11_frame_extents)
IFS=, read -r left right top bottom <<<"$frame"
[ "$((top - left))" -gt 19 ] && echo "ok: openbox's frame is $left,$right,$top,$bottom" ||
    fail "openbox's frame \"$frame\" has no title bar taller than 19 pixels"

read -r _ _ width height < <(x11_client_geometry)
size=${width}x$height
[ "$size" = "${client_width}x$client_height" ] && echo "ok: client area $size" ||
    fail "client area $size, expected ${client_width}x$client_height"

import -window "$window" "$work/client.png"
client_edges_plain "$work/client.png" 0 0 1 && echo "ok: no scroll bar" ||
    fail "the client area's margins are not plain: a scroll bar ($(cat "$work/client.png.edges"))"
[ -z "$screenshot" ] || import -window root "$screenshot"

[ "$failures" -eq 0 ]
