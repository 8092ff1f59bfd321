#!/usr/bin/env bash
# The real program on a screen smaller than its window: 1366 by 768, with GNOME's large text (a
# text factor of 1.25, QT_FONT_DPI=120), where the layout wants a client area of 793 by 831. The
# window must open wholly on the screen, frame included, with the one scroll bar the height needs
# (the window wider by it: the screen has the width), and "Start encoding"
# must be reachable: scrolled to with the wheel and clicked, it starts the encoder (a stand-in
# beside a copy of the program that notes its start). Exits 77, skipped, with the reason where a
# tool is missing.
#
#   small-screen.sh PROGRAM [SCREENSHOT]   SCREENSHOT: where to keep a picture of the screen
set -euo pipefail

program=$1
screenshot=${2:-}
source "$(dirname "$0")/x11-session.sh"
x11_tools_or_skip
screen_width=1366
screen_height=768
x11_session ${screen_width}x$screen_height

mkdir -p "$work/app" "$work/no-terminal"
cp "$program" "$work/app/Project1"
cat >"$work/app/lame.bin" <<SH
#!/bin/sh
echo "\$@" >"$work/started"
SH
chmod +x "$work/app/lame.bin"
# No terminal on PATH: the encoder starts without one.
x11_start_program "$work/app/Project1" QT_FONT_DPI=120 PATH="$work/no-terminal"

# The window's place, frame included, once the window manager has framed it and the program has
# fitted it (a bound against a hang only).
for _ in $(seq 50); do
    IFS=, read -r left right top bottom <<<"$(x11_frame_extents)"
    read -r x y width height < <(x11_client_geometry)
    [ -n "$bottom" ] && [ "$((y - top))" -ge 0 ] && [ "$((y + height + bottom))" -le "$screen_height" ] &&
        [ "$((x - left))" -ge 0 ] && [ "$((x + width + right))" -le "$screen_width" ] && break
    sleep 0.1
done
outer="$((x - left)),$((y - top)) to $((x + width + right)),$((y + height + bottom))"
[ "$((y - top))" -ge 0 ] && [ "$((y + height + bottom))" -le "$screen_height" ] &&
    [ "$((x - left))" -ge 0 ] && [ "$((x + width + right))" -le "$screen_width" ] &&
    echo "ok: the window, frame included, lies on the screen: $outer" ||
    fail "the window lies off the ${screen_width}x$screen_height screen: $outer"
[ "$height" -lt 831 ] && echo "ok: client area ${width}x$height, less than the layout's 793x831" ||
    fail "client area ${width}x$height: the layout's whole height, on a screen that cannot hold it"

# The wheel scrolls the content to its bottom; "Start encoding" is then 62.5 layout pixels above
# the content's bottom (it ends at 611 of 661), which is the bottom of the view: a few pixels
# above that at 1.25 times that.
xdotool mousemove --window "$window" $((width / 2)) $((height / 2))
xdotool click --repeat 40 --delay 20 5
sleep 0.5
import -window "$window" "$work/scrolled.png"
# A scroll bar along the right edge and none along the bottom, scrolled to the end: more than one
# colour on the right, one in the layout's 4-pixel margin below the content.
bars=$(convert "$work/scrolled.png" -alpha off \
    \( -clone 0 -crop "6x$((height - 40))+$((width - 6))+0" \) \
    \( -clone 0 -crop "$((width - 40))x4+0+$((height - 4))" \) \
    -delete 0 +repage -format '%k ' info:)
read -r right_colours bottom_colours <<<"$bars"
[ "$right_colours" -gt 1 ] && [ "$bottom_colours" -eq 1 ] &&
    echo "ok: the vertical scroll bar shows, no horizontal one" ||
    fail "the right and bottom edges have $right_colours and $bottom_colours colours: not one bar"
[ -z "$screenshot" ] || import -window root "$screenshot"
xdotool mousemove --window "$window" 485 $((height - 6 - 78)) click 1
for _ in $(seq 100); do # a bound against a hang only
    [ -s "$work/started" ] && break
    sleep 0.1
done
[ -s "$work/started" ] && echo "ok: \"Start encoding\", scrolled to, starts the encoder" ||
    fail "\"Start encoding\" was not reached: no encoder started"

[ "$failures" -eq 0 ]
