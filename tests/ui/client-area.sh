# Sourced by the window tests that run the real program on a display: what its client area must
# be at start, and a look at a picture of it for scroll bars.

# The client area the layout was drawn for (form::clientAtStart), in logical pixels.
client_width=634
client_height=665

# client_edges_plain IMAGE LEFT TOP SCALE: true where the client area, found at LEFT,TOP in IMAGE
# and SCALE times its logical size, is one colour along its right 8 and its bottom 4 logical
# pixels: the layout's margins, where no control lies and where a scroll bar would be.
client_edges_plain() {
    local image=$1 left=$2 top=$3 scale=$4 width height
    width=$((client_width * scale))
    height=$((client_height * scale))
    # Each strip: its number of colours and its first pixel; both one colour, and the same one.
    convert "$image" -alpha off \
        \( -clone 0 -crop "$((8 * scale))x$height+$((left + width - 8 * scale))+$top" \) \
        \( -clone 0 -crop "${width}x$((4 * scale))+$left+$((top + height - 4 * scale))" \) \
        -delete 0 +repage -format '%k %[pixel:p{0,0}]\n' info: >"$image.edges"
    [ "$(sort -u "$image.edges")" = "$(head -n 1 "$image.edges")" ] &&
        [ "$(cut -d' ' -f1 "$image.edges" | sort -u)" = 1 ]
}
