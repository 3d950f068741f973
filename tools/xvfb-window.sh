# Sourced by the scripts that drive the real program on a virtual X display.

# on_exit COMMAND: runs COMMAND when the script ends, after those registered
# before it; one EXIT trap for all, so that no helper replaces a caller's.
exit_commands=()
on_exit() {
    exit_commands+=("$1")
    trap 'for command in "${exit_commands[@]}"; do eval "$command" || true; done' EXIT
}
velbarino_pid=""
on_exit '[ -z "$velbarino_pid" ] || kill "$velbarino_pid" 2>/dev/null'

# start_program SECONDS COMMAND...: starts the command (pid in $velbarino_pid,
# killed on exit) and waits up to SECONDS for a window titled Velbarino (id in
# $velbarino_window); fails if the program ends first or no window shows.
start_program() {
    local seconds=$1
    shift
    "$@" &
    velbarino_pid=$!
    velbarino_window=""
    for _ in $(seq 1 $((seconds * 10))); do
        velbarino_window=$(xdotool search --onlyvisible --name '^Velbarino$' 2>/dev/null | head -n 1 || true)
        [ -n "$velbarino_window" ] && return 0
        kill -0 "$velbarino_pid" 2>/dev/null || { echo "FAIL: the program ended before showing its window"; return 1; }
        sleep 0.1
    done
    echo "FAIL: no window titled Velbarino"
    return 1
}

# start_velbarino BINARY [ENV=VALUE...]: the Qt program on this display.
start_velbarino() {
    local binary=$1
    shift
    start_program 10 env QT_QPA_PLATFORM=xcb "$@" "$binary"
}

# expect_exit_zero: after a close request, the program must end within 10 s
# with status 0.
expect_exit_zero() {
    local status=0
    for _ in $(seq 1 100); do
        kill -0 "$velbarino_pid" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$velbarino_pid" 2>/dev/null; then
        echo "FAIL: the program is still running after the close request"
        return 1
    fi
    wait "$velbarino_pid" || status=$?
    velbarino_pid=""
    [ "$status" -eq 0 ] || { echo "FAIL: exit status $status after the close request"; return 1; }
}

# compute_and_close_wine_window: with no window manager, a Wine window gets
# the keyboard with the first key, so keys go to the focused window: Tab to
# the field, a body, Enter; the program must still run; then Alt+F4, and it
# must end with status 0.
compute_and_close_wine_window() {
    sleep 0.5
    xdotool key Tab
    xdotool type --delay 30 400638133393
    xdotool key Return
    sleep 0.5
    kill -0 "$velbarino_pid" 2>/dev/null || { echo "FAIL: the program died while computing"; return 1; }
    xdotool key alt+F4
    expect_exit_zero
}

# type_code CODE: Tab from the action list to the field, the digits, then Enter.
type_code() {
    xdotool key --window "$velbarino_window" Tab 2>/dev/null
    xdotool type --window "$velbarino_window" --delay 20 "$1" 2>/dev/null
    xdotool key --window "$velbarino_window" Return 2>/dev/null
}

# start_window_manager: openbox, and wait until it manages the display; a
# window mapped before that may stay unmapped. Tried again if openbox dies.
start_window_manager() {
    local wm
    for _ in 1 2 3; do
        openbox --sm-disable 2>/dev/null &
        wm=$!
        for _ in $(seq 1 50); do
            xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && return 0
            kill -0 "$wm" 2>/dev/null || break
            sleep 0.1
        done
    done
    echo "FAIL: openbox did not start"
    return 1
}
