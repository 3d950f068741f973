#!/usr/bin/env bash
# What a blind user hears: Orca itself listens to the real program, on a
# virtual X display with a window manager, in a D-Bus session of its own with
# the accessibility bus, while the keyboard drives it. The assertions are the
# lines Orca logs as spoken. Orca and the speech server it spawns live in a
# runtime folder of this run's own: a server that another run left (one with
# a synthesizer and no sound card hangs) is never reached, and every process
# of this run's folder is stopped at the end, however the run ends.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${VELBARINO_ORCA_INNER:-}" ]; then
    VELBARINO_ORCA_INNER=1 exec xvfb-run -a -s "-noreset -screen 0 800x600x24" dbus-run-session -- "$0" "$@"
fi
# shellcheck source=../../tools/xvfb-window.sh
source "$here/../../tools/xvfb-window.sh"
log=$(mktemp)
runtime=$(mktemp -d)
chmod 700 "$runtime"
export XDG_RUNTIME_DIR=$runtime XDG_CONFIG_HOME=$runtime/config
# Speech goes to ALSA's null device: a synthesizer with no sound card to play on would hang the server.
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
printf 'AudioOutputMethod "alsa"\nAudioALSADevice "null"\n' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
# Each process started with this run's runtime folder in its environment (Orca, speech-dispatcher, its modules).
ours() { grep -lzx "XDG_RUNTIME_DIR=$runtime" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3 | grep -vx "$$" || true; }
stop_ours() { local pids; pids=$(ours); [ -z "$pids" ] || kill $pids 2>/dev/null; sleep 0.5; pids=$(ours); [ -z "$pids" ] || kill -9 $pids 2>/dev/null; rm -rf "$runtime" "$log"; }
on_exit stop_ours
trap 'exit 1' INT TERM HUP
/usr/libexec/at-spi-bus-launcher --launch-immediately 2>/dev/null &
start_window_manager   # window activation is what makes Orca read a message box
orca --replace --debug-file="$log" >/dev/null 2>&1 &
for _ in $(seq 1 100); do grep -q "SPEECH OUTPUT: 'Screen reader on" "$log" 2>/dev/null && break; sleep 0.1; done

start_velbarino "$binary" 2>/dev/null  # the program's own warnings; a failure to start is on standard output
key() { xdotool key "$@"; sleep 0.8; }
say() { xdotool type --delay 30 "$1"; sleep 0.3; }

sleep 1.5
key Tab
say 400638133393
key Return
key shift+Tab
key Down                   # EAN-13 verify: the focus moves to the field
say 4006381333932
key Return
key BackSpace
say 1
key Return
key BackSpace
key Return                 # a code of the wrong length: the message box
key Return                 # dismisses it
key shift                  # Orca writes its log in batches: one more event flushes it

failures=0
expect() {
    if grep -qF -- "$1" <<<"$(grep -F "SPEECH OUTPUT:" "$log")"; then  # no early exit inside a pipe
        echo "ok    $1"
    else
        echo "FAIL  Orca never said: $1"
        failures=$((failures + 1))
    fi
}
expect "Checksum 1, Codice Completo 4006381333931"
expect "EAN-13: verifica di validita, Codice (13 caratteri)"
expect "Risultato codice errato, Codice Esatto 4006381333931"
expect "Risultato codice esatto"
expect "Inserire un codice di 13 caratteri."
if [ "$failures" -ne 0 ] || [ -n "${VELBARINO_ORCA_SHOW:-}" ]; then
    echo "--- what Orca said:"
    grep -F "SPEECH OUTPUT:" "$log" | sed 's/^.*SPEECH OUTPUT: //'
    [ "$failures" -eq 0 ] || exit 1
fi
echo "PASS: Orca speaks each result, the action change and the message"
