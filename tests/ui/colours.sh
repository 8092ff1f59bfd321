#!/usr/bin/env bash
# The real program on X11 in the colours desktops give it, each time looked at where a person
# would look: Qt's default light colours, GNOME's dark style (the gtk3 platform theme with
# GTK_THEME=Adwaita:dark), qt6ct's "darker" scheme and a black high-contrast scheme of qt6ct
# written here (face, fields and every shade black, texts white). In each, measured against the
# face on a picture of the window: a group frame, an unchecked check box, a field's border, the
# slider's track and ticks keep 3:1, a caption 4.5:1. Exits 77, skipped, with the reason where a
# tool or a platform theme is missing.
#
#   colours.sh PROGRAM [FOLDER]   FOLDER: where to keep the pictures, one a scheme
set -euo pipefail

program=$1
keep=${2:-}
source "$(dirname "$0")/x11-session.sh"
x11_tools_or_skip
for theme in qt6ct qgtk3; do
    compgen -G "/usr/lib/*/qt6/plugins/platformthemes/lib$theme.so" >/dev/null ||
        { echo "SKIP: Qt's ${theme#q} platform theme is not installed"; exit 77; }
done

x11_session 1280x1024
mkdir -p "$work/config/qt6ct"
# QPalette's roles in order, from WindowText to PlaceholderText; disabled texts green.
scheme() { # text colour
    local white=#ffffffff black=#ff000000
    echo "$1, $black, $black, $black, $black, $black, $1, $white, $1, $black, $black, $black," \
        "#ff1aebff, $black, #ffffff00, #ffffff00, $black, $black, $black, $white, #ffc0c0c0"
}
cat >"$work/config/qt6ct/black.conf" <<CONF
[ColorScheme]
active_colors=$(scheme "#ffffffff")
inactive_colors=$(scheme "#ffffffff")
disabled_colors=$(scheme "#ff3ff23f")
CONF
qt6ct_with() { # scheme file: a qt6ct configuration that uses it
    local folder=$work/config/$(basename "$1" .conf)
    mkdir -p "$folder/qt6ct"
    printf '[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\nstyle=Fusion\n' "$1" \
        >"$folder/qt6ct/qt6ct.conf"
    echo "$folder"
}

# Where to look, in the client area at 96 ppi (the placement table): the left line of
# "compatibility settings", the left edge of "free format bitstream"'s mark, the top border of
# "output file" (the caret is in "input file"), the slider "algorithm quality" right of its thumb
# and at its first tick, and the caption "input file:". The face: the left margin.
check() { # scheme-name [VARIABLE=VALUE...]
    local name=$1 shot face value
    shift
    x11_start_program "$program" QT_QPA_PLATFORMTHEME= GTK_THEME= "$@"
    shot=$work/$name.png
    import -window "$window" "$shot"
    x11_stop_program
    [ -z "$keep" ] || cp "$shot" "$keep/"
    face=$(pixel_at "$shot" 2 300)
    while read -r part minimum x y width height; do
        value=$(contrast_at "$shot" "$face" "$x" "$y" "$width" "$height")
        at_least "$value" "$minimum" && echo "ok: $name: $part $value:1 on $face" ||
            fail "$name: $part $value:1 on $face, at least $minimum:1 wanted"
    done <<PARTS
group-frame 3 486 430 6 1
unchecked-check-box 3 494 360 6 1
field-border 3 100 181 1 8
slider-track 3 440 232 1 15
slider-ticks 3 249 253 3 1
caption 4.5 8 120 45 13
PARTS
}

check light
check gnome-dark QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
check qt6ct-darker QT_QPA_PLATFORMTHEME=qt6ct \
    XDG_CONFIG_HOME="$(qt6ct_with /usr/share/qt6ct/colors/darker.conf)"
check high-contrast-black QT_QPA_PLATFORMTHEME=qt6ct \
    XDG_CONFIG_HOME="$(qt6ct_with "$work/config/qt6ct/black.conf")"

[ "$failures" -eq 0 ]
