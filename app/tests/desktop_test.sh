#!/usr/bin/env bash
# The real program on a desktop: a virtual X display with a window manager
# and a clipboard manager (Xfce's settings daemon takes CLIPBOARD_MANAGER, as
# a desktop's manager does). Its fixed-size window asks for no maximize
# button. A code computed with real keystrokes and copied with "Copia"
# outlives the program: copied, then "Fine Programma"; copied, then the
# window manager's close request (Alt+F4). Each time the program must end at
# once with status 0 and the clipboard still hold the code.
set -euo pipefail
binary=$1
here=$(cd "$(dirname "$0")" && pwd)
if [ -z "${VELBARINO_CLIPBOARD_INNER:-}" ]; then
    VELBARINO_CLIPBOARD_INNER=1 exec xvfb-run -a -s "-noreset -screen 0 800x600x24" dbus-run-session -- "$0" "$@"
fi
# shellcheck source=../../tools/xvfb-window.sh
source "$here/../../tools/xvfb-window.sh"
start_window_manager
xfsettingsd --no-daemon --disable-wm-check >/dev/null 2>&1 &
on_exit "kill $! 2>/dev/null"
sleep 2  # until it has taken the clipboard manager's selection
clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null || true; }

for ending in "Fine Programma" "the close request"; do
    echo -n placeholder | xclip -selection clipboard
    start_velbarino "$binary"
    # Motif hints: flags, functions, decorations; decoration 0x40 is the maximize button.
    decorations=$(xprop -id "$velbarino_window" _MOTIF_WM_HINTS | sed 's/.*= //' | cut -d, -f3)
    [ -n "$decorations" ] && ! (( decorations & 0x40 )) || { echo "FAIL: a maximize button (decorations: ${decorations:-none})"; exit 1; }
    type_code 400638133393
    # The complete code's box: 96 to 185 pixels across, 144 to 163 down the
    # client area, which starts under the menu bar.
    height=$(xdotool getwindowgeometry "$velbarino_window" | sed -n 's/.*Geometry: [0-9]*x//p')
    xdotool mousemove --window "$velbarino_window" 120 $((height - 197 + 153)) click 3
    sleep 0.5
    xdotool key Down Return   # "Copia"
    sleep 0.3
    [ "$(clipboard)" = 4006381333931 ] || { echo "FAIL: Copia put '$(clipboard)' on the clipboard"; exit 1; }
    if [ "$ending" = "Fine Programma" ]; then
        xdotool key alt+f
        sleep 0.3
        xdotool key Return
    else
        xdotool windowactivate --sync "$velbarino_window" key alt+F4
    fi
    expect_exit_zero
    [ "$(clipboard)" = 4006381333931 ] || { echo "FAIL: after $ending the clipboard holds '$(clipboard)'"; exit 1; }
    echo "ok    the copied code outlives $ending"
done
echo "PASS: the code copied with Copia stays on the clipboard after the program ends"
