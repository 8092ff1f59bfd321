#!/usr/bin/env bash
# Runs a command on a desktop of its own, for tests that drive real Win32 windows under wine: a
# new Xvfb display on a free display number, the openbox window manager (xdotool's
# windowactivate needs one) and a fresh wine prefix. All three are removed afterwards, however
# the command ends; the exit status is the command's.
#
#   tests/windows/wine-desktop.sh [--dpi N] [--screen WxHxDEPTH] [--taskbar N] [--without-tahoma]
#                                 [--windows-10-frame] [--high-contrast] [--] command [argument...]
#
# The command finds DISPLAY and WINEPREFIX set, and WINE (the 32-bit loader), WINE64 and
# WINESERVER. A typical test starts its program in the background, waits for its window, drives
# it and reads back what the program wrote:
#
#   "$WINE" program.exe 'C:\state.txt' &
#   window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Title$' | head -n 1)
#   xdotool windowactivate --sync "$window"
#   xdotool mousemove --window "$window" 20 56 click 1     # client coordinates of the window
#   xdotool type 'ASCII text'                               # other text: xclip, then ctrl+v
#   import -window root shot.png
#
# --dpi N gives the screen N pixels per inch as Windows programs see them (GetDpiForWindow,
# GetDeviceCaps(LOGPIXELSY)); wine takes it from HKCU\Control Panel\Desktop\LogPixels, not from
# the X server's resolution. --high-contrast gives the prefix a black high-contrast colour set
# (black faces and windows, white texts and edges, green disabled texts). --taskbar N keeps the bottom N pixels of the screen out of the work
# area, as a taskbar does (openbox's margins, which wine reads as the work area). --without-tahoma leaves Tahoma out, so that Windows programs get
# another face for it, as on a system without it. --windows-10-frame gives windows the frame
# Windows 10 gives a per-monitor-aware program (a 23-pixel caption, 4 + 4-pixel borders at 96
# ppi) instead of wine's classic one (19 and 4). Prints how long each stage took to standard
# error. Needs Xvfb, openbox, xdotool and wine (scripts/windows-test installs them).
set -euo pipefail

dpi=
screen=1280x1024x24
taskbar=
tahoma=yes
windows10=
high_contrast=
while [ $# -gt 0 ]; do
    case $1 in
    --dpi) dpi=$2; shift 2 ;;
    --screen) screen=$2; shift 2 ;;
    --taskbar) taskbar=$2; shift 2 ;;
    --without-tahoma) tahoma=; shift ;;
    --windows-10-frame) windows10=yes; shift ;;
    --high-contrast) high_contrast=yes; shift ;;
    --) shift; break ;;
    *) break ;;
    esac
done
if [ $# -eq 0 ]; then
    sed -n '2,/^set -euo/p' "$0" | sed '$d; s/^# \{0,1\}//' >&2
    exit 2
fi

export WINE=/usr/lib/wine/wine WINE64=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
for tool in Xvfb openbox xdotool "$WINE" "$WINE64"; do
    if ! command -v "$tool" >/dev/null; then
        echo "wine-desktop.sh: $tool is missing; scripts/windows-test installs what is needed" >&2
        exit 2
    fi
done

work=$(mktemp -d "${TMPDIR:-/tmp}/quendra-desktop.XXXXXX")
xvfb_pid=
wm_pid=
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WAYLAND_DISPLAY

cleanup() {
    # The server ends every wine process of this prefix; the display ends the X clients.
    "$WINESERVER" -k 2>/dev/null || true
    "$WINESERVER" -w 2>/dev/null || true
    for pid in $wm_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

started=$SECONDS
clock() { date +%s.%N; }
stage_start=$(clock)
stage() { # name: prints the time since the previous stage
    local now
    now=$(clock)
    awk -v a="$stage_start" -v b="$now" -v n="$1" \
        'BEGIN { printf "wine-desktop.sh: %s %.1f s\n", n, b - a }' >&2
    stage_start=$now
}

# Xvfb picks a free display number and writes it once it accepts connections.
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 600); do # a bound against a hang only
    [ -s "$work/display" ] && break
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
done
if [ ! -s "$work/display" ]; then
    echo "wine-desktop.sh: Xvfb did not start" >&2
    cat "$work/xvfb.log" >&2
    exit 1
fi
export DISPLAY=:$(head -n 1 "$work/display")
cat >"$work/openbox.xml" <<XML
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <margins><top>0</top><bottom>${taskbar:-0}</bottom><left>0</left><right>0</right></margins>
</openbox_config>
XML
openbox --config-file "$work/openbox.xml" >"$work/openbox.log" 2>&1 &
wm_pid=$!
stage "display $DISPLAY and window manager"

# Runs one step of making the prefix, wine's own work, none of the program's. Its output is
# shown, with the step, only when it fails; a failed step is tried once more, since one failed
# once on a loaded machine without a word (its cause is printed here now).
step() { # name command...
    local name=$1 status
    shift
    for attempt in 1 2; do
        status=0
        "$@" >"$work/step.log" 2>&1 || status=$?
        [ "$status" -eq 0 ] && return 0
        echo "wine-desktop.sh: $name failed (exit $status, attempt $attempt)" >&2
        cat "$work/step.log" >&2
    done
    exit 1
}

# No Mono or Gecko installer is offered (WINEDLLOVERRIDES).
step "making the wine prefix" "$WINE64" wineboot --init
if [ -n "$dpi" ]; then
    step "setting $dpi ppi" "$WINE64" reg add 'HKCU\Control Panel\Desktop' /v LogPixels \
        /t REG_DWORD /d "$dpi" /f
fi
# Windows 10's window metrics, in twips (negative: -15 to a pixel at 96 ppi).
if [ -n "$windows10" ]; then
    for metric in CaptionHeight=-345 BorderWidth=-15 PaddedBorderWidth=-60; do
        step "setting ${metric%=*}" "$WINE64" reg add 'HKCU\Control Panel\Desktop\WindowMetrics' \
            /v "${metric%=*}" /t REG_SZ /d "${metric#*=}" /f
    done
fi
# A fresh prefix keeps its colours under Wine's temporary system parameters, which hide the user's
# own (HKCU\Control Panel\Colors) until they are gone. In high contrast Windows draws no visual
# style, so neither does the prefix (its own is on: its group boxes would keep the style's black
# captions).
if [ -n "$high_contrast" ]; then
    step "turning the visual style off" "$WINE64" reg add \
        'HKCU\Software\Microsoft\Windows\CurrentVersion\ThemeManager' /v ThemeActive /t REG_SZ \
        /d 0 /f
    "$WINE64" reg delete 'HKCU\Software\Wine\Temporary System Parameters\Control Panel\Colors' \
        /f >/dev/null 2>&1 || true
    for colour in ActiveBorder='255 255 0' ActiveTitle='0 0 0' AppWorkspace='0 0 0' \
        Background='0 0 0' ButtonAlternateFace='0 0 0' ButtonDkShadow='255 255 255' \
        ButtonFace='0 0 0' ButtonHilight='255 255 255' ButtonLight='255 255 255' \
        ButtonShadow='255 255 255' ButtonText='255 255 255' GradientActiveTitle='0 0 0' \
        GradientInactiveTitle='0 0 0' GrayText='63 242 63' Hilight='26 235 255' \
        HilightText='0 0 0' HotTrackingColor='255 255 0' InactiveBorder='255 255 255' \
        InactiveTitle='0 0 0' InactiveTitleText='255 255 255' InfoText='255 255 255' \
        InfoWindow='0 0 0' Menu='0 0 0' MenuBar='0 0 0' MenuHilight='26 235 255' \
        MenuText='255 255 255' Scrollbar='0 0 0' TitleText='255 255 255' Window='0 0 0' \
        WindowFrame='255 255 255' WindowText='255 255 255'; do
        step "setting ${colour%%=*}" "$WINE64" reg add 'HKCU\Control Panel\Colors' \
            /v "${colour%%=*}" /t REG_SZ /d "${colour#*=}" /f
    done
    "$WINESERVER" -k 2>/dev/null || true # the next program reads the colours anew
    "$WINESERVER" -w 2>/dev/null || true
fi
# A program that crashes ends with a report instead of waiting in a crash dialog for a person.
step "turning off the crash dialog" "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' \
    /v ShowCrashDialog /t REG_DWORD /d 0 /f
# Windows has Tahoma, the window's face; Debian's wine keeps its copy where a prefix does not
# look for fonts.
if [ -n "$tahoma" ]; then
    cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf \
        "$WINEPREFIX/drive_c/windows/Fonts/"
fi
stage "wine prefix${dpi:+ at $dpi ppi}${windows10:+ with the Windows 10 frame}${high_contrast:+ in high contrast}"

status=0
"$@" || status=$?
stage "command (exit $status)"
cleanup
trap - EXIT
stage "clean-up"
echo "wine-desktop.sh: $((SECONDS - started)) s in all" >&2
exit "$status"
