#!/bin/bash
# Drives the X11 probe on the X server xvfb-run started for us.
#   x11_probe_test.sh PROBE yes|no     the question box answered with Return or Escape
#   x11_probe_test.sh PROBE input      xdotool keys and drags on a real window
set -u
probe=$1
mode=$2
export SDL_VIDEODRIVER=x11
log=$(mktemp)
trap 'rm -f "$log"' EXIT

# The id of the first top-level window whose name contains $1 (names can be UTF-8,
# which xdotool's search does not match, so we read the window tree).
find_window() {
    for _ in $(seq 1 300); do
        id=$(xwininfo -root -tree | grep -F "$1" | awk '{print $1}' | head -n 1)
        if [ -n "$id" ]; then echo "$id"; return 0; fi
        sleep 0.1
    done
    return 1
}

# Waits for the probe to end and checks its exit code.
finish() {
    wait "$pid"
    status=$?
    cat "$log"
    if [ "$status" -ne 0 ]; then echo "probe exit code $status"; exit 1; fi
}

expect_line() {
    if ! grep -qx -- "$1" "$log"; then echo "missing: $1"; cat "$log"; exit 1; fi
}

case "$mode" in
yes|no)
    timeout 60 "$probe" question > "$log" &
    pid=$!
    box=$(find_window '"Video!"') || { echo "no question box"; exit 1; }
    if [ "$mode" = yes ]; then key=Return; answer=6; else key=Escape; answer=7; fi
    xdotool windowfocus --sync "$box" key "$key"
    finish
    expect_line "ANSWER $answer 0 0"
    ;;
input)
    timeout 60 "$probe" window > "$log" &
    pid=$!
    win=$(find_window 'Sonda input') || { echo "no probe window"; exit 1; }
    for _ in $(seq 1 300); do grep -q '^READY' "$log" && break; sleep 0.1; done
    read -r _ ox oy _ < <(grep '^READY' "$log")
    xdotool windowfocus --sync "$win"
    xdotool key z F1 Left 1
    xdotool mousemove --sync $((ox + 50)) $((oy + 60)) mousedown 1
    xdotool mousemove --sync $((ox + 80)) $((oy + 90))
    # Above the client area, over the frame: captured, so it still arrives.
    xdotool mousemove --sync $((ox - 2)) $((oy - 10)) mouseup 1
    xdotool mousemove --sync $((ox + 100)) $((oy + 100)) mousedown 3
    xdotool mousemove --sync $((ox + 100)) $((oy + 130)) mouseup 3
    xdotool key Escape
    finish
    for line in "KEYDOWN 90 0 0" "KEYUP 90 0 0" "KEYDOWN 112 0 0" "KEYDOWN 37 0 0" "KEYDOWN 49 0 0" \
                "LBUTTONDOWN 50 60 1" "MOUSEMOVE 80 90 1" "MOUSEMOVE -2 -10 1" "LBUTTONUP -2 -10 0" \
                "RBUTTONDOWN 100 100 2" "MOUSEMOVE 100 130 2" "RBUTTONUP 100 130 0" \
                "KEYDOWN 27 0 0" "DESTROY 0 0 0"; do
        expect_line "$line"
    done
    ;;
*) echo "unknown mode $mode"; exit 2 ;;
esac
echo "passed"
