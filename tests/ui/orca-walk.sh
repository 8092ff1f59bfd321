#!/usr/bin/env bash
# What a blind person hears: the real program under Orca, a real screen reader (Orca 43 on
# Debian 12, Orca 48 on Debian 13), on an X display of its own. Tab goes all the way round the
# window as it starts, then a field is typed into, check boxes switched with Space and a
# drop-down and the bitrate mode moved with Down, and the stops those bring are walked. After
# each key the script waits for what the speech server was given (one line per utterance) and
# checks it, and once Orca has ended it checks what Orca spoke and brailled for each key in its
# debug file ("SPEECH OUTPUT", "BRAILLE LINE"): each stop's label, the kind of control, its value
# or state, in the order walked, the names and descriptions the window's description gives, and
# that no stop is skipped or silent. The order of those words within a stop and what lies between
# them are Orca's own and differ between its versions (Orca 48 says a group's description between
# its name and "panel"); where the versions name a kind of control otherwise, the step says what
# each may say.
#
# It runs apart from the session and from parallel tests: its own HOME, XDG_RUNTIME_DIR, D-Bus
# session bus with the AT-SPI bus launcher on it, Xvfb display (-displayfd) with openbox (the
# window must be active to get the keys), and a speech-dispatcher of its own whose generic output
# module appends each utterance to a file (the stock espeak-ng module deadlocks without a sound
# device, and Orca then blocks for ever). The run is bounded, and every process it started is
# ended by its process id, with whatever those started in turn (killed where it outlives a
# moment's grace); Orca is never started with --replace, which would end every other Orca of the
# user. Exits 77, skipped, with the reason where Orca or a part of its setting is not installed.
#
#   orca-walk.sh PROGRAM
set -euo pipefail

program=$1
skip() {
    echo "SKIP: $*"
    exit 77
}
for tool in orca speech-dispatcher Xvfb openbox xdotool dbus-daemon; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh lists it)"
done
launcher=/usr/libexec/at-spi-bus-launcher
[ -x "$launcher" ] || skip "the AT-SPI bus launcher is not installed (at-spi2-core)"
[ -x /usr/lib/speech-dispatcher-modules/sd_generic ] ||
    skip "speech-dispatcher's generic output module is not installed"

root=$(mktemp -d "${TMPDIR:-/tmp}/quendra-orca.XXXXXX")
export HOME=$root/home XDG_RUNTIME_DIR=$root/run
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share XDG_CACHE_HOME=$HOME/.cache
mkdir -p "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER QT_QPA_PLATFORM
# Settings stay in each process's memory: no settings service is started for them.
export GSETTINGS_BACKEND=memory
# No speech server but ours: a client that finds none must not start the stock one.
export SPEECHD_ADDRESS=unix_socket:$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock
export SPEECHD_CMD=/bin/false

pids=()
descendants() { # the processes a process started, and theirs, the latest first
    local child
    for child in $(ps -o pid= --ppid "$1" 2>/dev/null); do
        descendants "$child"
        echo "$child"
    done
}
running() { # running PID...: true while one of them has not ended (a zombie has)
    local pid state
    for pid in "$@"; do
        state=$(ps -o stat= -p "$pid" 2>/dev/null) || continue
        [[ $state == Z* ]] || return 0
    done
    return 1
}
end_processes() { # end_processes PID...: SIGTERM, and SIGKILL to those still running 5 s later
    local pid
    kill "$@" 2>/dev/null || true
    for _ in $(seq 50); do
        running "$@" || return 0
        sleep 0.1
    done
    for pid in "$@"; do
        if running "$pid"; then
            echo "$(ps -o comm= -p "$pid") ($pid) did not end on SIGTERM: killed" >&2
            kill -KILL "$pid" 2>/dev/null || true
        fi
    done
}
stop_all() {
    local pid all=()
    for pid in "${pids[@]}"; do
        mapfile -t -O "${#all[@]}" all < <(descendants "$pid")
        all+=("$pid")
    done
    [ "${#all[@]}" -eq 0 ] || end_processes "${all[@]}"
    for pid in "${pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    pids=()
}
trap 'stop_all; rm -rf "$root"' EXIT
trap 'exit 130' INT TERM

# Every wait ends at this deadline at the latest (CTest's timeout is the bound beyond it).
deadline=$((SECONDS + 480))
fail_now() {
    echo "FAIL: $*" >&2
    local log
    for log in "$root"/*.log; do
        echo "--- $(basename "$log"), its end:" >&2
        tail -n 10 "$log" >&2
    done
    exit 1
}
wait_for() { # wait_for WHAT COMMAND...: until the command succeeds
    local what=$1
    shift
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || fail_now "timed out waiting for $what"
        sleep 0.1
    done
}

# The display and its window manager. Xvfb picks a free display number and writes it once it
# accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$root/display" >"$root/xvfb.log" 2>&1 &
pids+=($!)
wait_for "Xvfb" test -s "$root/display"
DISPLAY=:$(head -n 1 "$root/display")
export DISPLAY
openbox >"$root/openbox.log" 2>&1 &
pids+=($!)

# The session bus, with the accessibility bus's launcher on it.
dbus-daemon --session --nofork --print-address=3 3>"$root/bus" >"$root/dbus.log" 2>&1 &
pids+=($!)
wait_for "the session bus" test -s "$root/bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$root/bus")
export DBUS_SESSION_BUS_ADDRESS
"$launcher" --launch-immediately >"$root/at-spi.log" 2>&1 &
pids+=($!)

# The speech server: each utterance becomes a line of a file; the sound goes nowhere.
spoken=$root/spoken.txt
: >"$spoken"
mkdir -p "$root/speech/modules"
cat >"$root/speech/speechd.conf" <<CONF
LogLevel 3
LogDir "$root"
AudioOutputMethod "alsa"
AudioALSADevice "null"
DefaultModule file
AddModule "file" "sd_generic" "file.conf"
CONF
cat >"$root/speech/modules/file.conf" <<CONF
GenericExecuteSynth "echo \'\$DATA\' >> $spoken"
GenericLanguage "en" "en" "utf-8"
AddVoice "en" "MALE1" "file"
CONF
speech-dispatcher --run-single --timeout 0 --config-dir "$root/speech" \
    --communication-method unix_socket --socket-path "${SPEECHD_ADDRESS#unix_socket:}" \
    >"$root/speechd.log" 2>&1 &
pids+=($!)
wait_for "the speech server" test -S "${SPEECHD_ADDRESS#unix_socket:}"

# Orca, then the program, whose first focus Orca speaks.
orca_log=$root/orca-debug.out
orca --debug-file="$orca_log" >"$root/orca.log" 2>&1 &
pids+=($!)
orca_pid=$!
# Orca 43 starts no second Orca beside one of the same user anywhere on the machine (it looks
# for its name among the user's processes), and ends at once saying so.
orca_speaking() {
    grep -q "Screen reader on" "$spoken" && return 0
    running "$orca_pid" && return 1
    grep -q "Another screen reader process is already running" "$root/orca.log" &&
        skip "another Orca of this user runs on this machine, and Orca starts no second one"
    fail_now "Orca ended before it spoke"
}
wait_for "Orca to start speaking" orca_speaking
QT_QPA_PLATFORM=xcb "$program" >"$root/program.log" 2>&1 &
pids+=($!)
program_pid=$!
window=
find_window() {
    window=$(xdotool search --onlyvisible --pid "$program_pid" 2>/dev/null | head -n 1)
    [ -n "$window" ]
}
wait_for "the window" find_window
timeout 20 xdotool windowactivate --sync "$window" >/dev/null 2>&1 || true
wait_for "Orca to speak the first focus" grep -q "^input file: text" "$spoken"

# The walk, a line a step: the keys (xdotool's names), what must be spoken after them (fragments
# separated by ";", each within one utterance) and what braille lines must show, a
# check box's state included ("<x>" checked, "< >" not). "{button}" is a push button's kind, which
# Orca 43 calls "push button" and Orca 48 "button". Each step waits for the speech of the one before, as
# a listener does. Orca leaves out a focus that has already moved on, so a step of several keys
# is heard at its last: those go over stops the first round has heard, to the ones the actions
# bring (the tag fields, the bitrate list for 16 kHz, the VBR slider, the filter fields).
steps=$(
    cat <<'STEPS'
Tab|output file: text|output file:
Tab|input scale: text;1|input scale: 1 $l
Tab|enabled check box not checked|< > enabled check box
Tab|use CRCs check box not checked|< > use CRCs check box
Tab|mark as copy check box not checked|< > mark as copy check box
Tab|mark as copyrighted check box not checked|< > mark as copyrighted check box
Tab|sampling frequency: editable combo box;auto;Select output sampling frequency.|sampling frequency: auto combo box
Tab|bitrate: editable combo box;auto|bitrate: auto combo box
Tab|quality measure: editable combo box;-X0|quality measure: -X0 combo box
Tab|bitrate mode;panel;CBR;selected radio button|bitrate mode;&=y CBR radio button
Tab|stereo mode;panel;automatic;selected radio button|stereo mode;&=y automatic radio button
Tab|de-emphasis;panel;none;selected radio button|de-emphasis;&=y none radio button
Tab|ReplayGain;panel;fast;selected radio button|ReplayGain;&=y fast radio button
Tab|Start encoding {button}|Start encoding {button}
Tab|select input file {button}|select input file {button}
Tab|select output file {button}|select output file {button}
Tab|algorithm quality: slider 2;quality <> speed.|algorithm quality: 2 slider
Tab|ATH settings;panel;lower the ATH by, dB text|lower the ATH by, dB
Tab|use ATH: check box checked|<x> use ATH: check box
Tab|ATH only check box not checked|< > ATH only check box
Tab|ATH only for short blocks check box not checked|< > ATH only for short blocks check box
Tab|lower the ATH by check box not checked|< > lower the ATH by check box
Tab|use ATH: editable combo box;auto|use ATH: auto combo box
Tab|bandwidth settings;panel;automatic check box checked|<x> automatic check box
Tab|assembly optimizations;panel;disable MMX check box not checked|< > disable MMX check box
Tab|disable 3DNow! check box not checked|< > disable 3DNow! check box
Tab|disable SSE check box not checked|< > disable SSE check box
Tab|compatibility settings;panel;free format bitstream check box not checked|< > free format bitstream check box
Tab|strict ISO compliance check box not checked|< > strict ISO compliance check box
Tab|use bit reservoir check box checked|<x> use bit reservoir check box
Tab|use short blocks check box checked|<x> use short blocks check box
Tab|use long blocks check box checked|<x> use long blocks check box
Tab|block type control check box not checked|< > block type control check box
Tab|use temporal masking check box checked|<x> use temporal masking check box
Tab|write INFO Tag check box checked|<x> write INFO Tag check box
Tab|input file: text|input file:
x|x|input file: x
Tab Tab Tab|enabled check box not checked|< > enabled check box
space|checked|<x> enabled check box
shift+Tab shift+Tab|ID3 tags: track number text;<track number>|ID3 tags: track number <track number>
shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab|ID3 tags: title text;<title>|ID3 tags: title <title>
Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab Tab|sampling frequency: editable combo box;auto|sampling frequency: auto combo box
Down|16 kHz|16 kHz
Tab Tab|ID3 tags: genre editable combo box;<genre>|ID3 tags: genre <genre> combo box
Tab Tab|bitrate mode;panel;CBR;selected radio button|bitrate mode;&=y CBR radio button
Down|VBR;selected radio button|bitrate mode;&=y VBR radio button
Tab Tab Tab Tab Tab Tab Tab|VBR quality: slider 4;quality <> compression.;Specifies the value of VBR quality.|VBR quality: 4 slider
Tab Tab Tab Tab Tab Tab Tab Tab|automatic check box checked|<x> automatic check box
space|not checked|< > automatic check box
Tab|highpass filtering frequency: check box not checked|< > highpass filtering frequency: check box
space|checked|<x> highpass filtering frequency: check box
shift+Tab shift+Tab|highpass filtering frequency:, kHz text|highpass filtering frequency:, kHz
Tab Tab Tab|width of highpass filtering: check box not checked|< > width of highpass filtering: check box
Tab|lowpass filtering frequency: check box not checked|< > lowpass filtering frequency: check box
Tab|width of lowpass filtering: check box not checked|< > width of lowpass filtering: check box
Tab|full bandwidth check box not checked|< > full bandwidth check box
STEPS
)

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
# heard TEXT FRAGMENTS: each ";"-separated fragment occurs in the text, in whatever order (Orca
# 43 says a field's selected text before its label, Orca 48 after it).
heard() {
    local fragment
    while IFS= read -r fragment; do
        fragment=$(sed -e 's/[][\\.*^$+?(){}|]/\\&/g' -e 's/\\{button\\}/(push )?button/g' <<<"$fragment")
        [[ $1 =~ $fragment ]] || return 1
    done <<<"${2//;/$'\n'}"
}

# Presses the keys and waits until each fragment has been spoken and nothing more came for a
# moment, or the step's bound has passed; sets "said" to the utterances that followed.
press() { # press KEYS FRAGMENTS
    local before count last=-1 quiet=0 bound=$((SECONDS + 20))
    before=$(wc -l <"$spoken")
    date +%T.%6N >>"$root/step-times"
    local keys
    read -ra keys <<<"$1"
    xdotool key --delay 100 "${keys[@]}" </dev/null
    said=
    while [ "$SECONDS" -lt "$bound" ] && [ "$SECONDS" -lt "$deadline" ]; do
        sleep 0.2
        count=$(wc -l <"$spoken")
        [ "$count" -eq "$last" ] && quiet=$((quiet + 1)) || quiet=0
        last=$count
        said=$(sed -n "$((before + 1)),\$p" "$spoken")
        [ "$quiet" -ge 3 ] && [ "$count" -gt "$before" ] && heard "$said" "$2" && return 0
    done
    return 1
}

step=0
while IFS='|' read -r keys speech braille; do
    step=$((step + 1))
    if press "$keys" "$speech"; then
        echo "ok: $step: $keys: heard $(tr '\n' ' ' <<<"$said")"
    else
        fail "$step: $keys: expected \"$speech\", heard: ${said:-nothing}"
    fi
done <<<"$steps"
date +%T.%6N >>"$root/step-times"

# Orca writes its debug file in blocks: it is read once Orca has ended. Each of its lines is
# given to the step whose keys came last before it.
end_processes "$orca_pid"
wait "$orca_pid" 2>/dev/null || true
by_step() { # by_step KIND: "step<TAB>text" for Orca's lines of that kind ("SPEECH OUTPUT")
    awk -v kind="$1" '
        # Seconds on a clock that keeps running past midnight.
        function seconds(t, v) {
            split(t, p, ":")
            v = p[1] * 3600 + p[2] * 60 + p[3] + day
            if (v < last - 43200) { day += 86400; v += 86400 }
            last = v
            return v
        }
        FNR == NR { start[++steps] = seconds($1); next }
        FNR == 1 { day = 0; last = 0 }
        (at = index($0, " - " kind ": ")) > 0 {
            t = seconds($1)
            for (s = 0; s < steps - 1 && start[s + 1] <= t; s++) {}
            print s "\t" substr($0, at + length(kind) + 5)
        }' "$root/step-times" "$orca_log"
}
by_step "SPEECH OUTPUT" >"$root/speech-by-step"
by_step "BRAILLE LINE" >"$root/braille-by-step"
step=0
while IFS='|' read -r keys speech braille; do
    step=$((step + 1))
    orca_said=$(awk -F '\t' -v s="$step" '$1 == s { print $2 }' "$root/speech-by-step")
    heard "$orca_said" "$speech" ||
        fail "$step: $keys: Orca's speech output lacks \"$speech\": $(tr '\n' ' ' <<<"$orca_said")"
    orca_brailled=$(awk -F '\t' -v s="$step" '$1 == s { print $2 }' "$root/braille-by-step")
    heard "$orca_brailled" "$braille" ||
        fail "$step: $keys: Orca's braille lacks \"$braille\": $(tr '\n' ' ' <<<"$orca_brailled")"
done <<<"$steps"

echo "$step steps, $failures failures"
[ "$failures" -eq 0 ]
