#!/bin/sh
# Runs the shaped-button demo on the X server of xvfb-run, takes a screenshot once the
# button shows, and clicks it with xdotool. Usage: DEMO PICTURE_PREFIX OUT_DIR
# Leaves OUT_DIR/demo.log (the demo's output) and OUT_DIR/shot.png; exits with the
# demo's exit code, or 90+ when a step fails.
set -u
demo=$1
prefix=$2
out=$3
export SDL_VIDEODRIVER=x11

: >"$out/demo.log"
"$demo" "$prefix" >"$out/demo.log" 2>&1 &
pid=$!

# Wait for the demo to present frames (or die).
while ! grep -q '^READY' "$out/demo.log"; do
    kill -0 "$pid" 2>/dev/null || { wait "$pid"; exit 91; }
    sleep 0.1
done
set -- $(grep '^READY' "$out/demo.log")
sx=$2 sy=$3

# Screenshot until the frame shows the button's colour at the shape point.
tries=0
while :; do
    xwd -root -silent | convert xwd:- "$out/shot.png" || exit 92
    colour=$(convert "$out/shot.png" -format "%[pixel:p{$sx,$sy}]" info:)
    case "$colour" in
        *"(255,128,0)"* | *"#FF8000"* | *"rgb(255,128,0)"*) break ;;
    esac
    tries=$((tries + 1))
    [ "$tries" -lt 100 ] || break
    sleep 0.1
done

# Move onto the shape, then click: the button sees hover, press, release.
xdotool mousemove "$sx" "$sy" || exit 93
xdotool click 1 || exit 94
# A demo that never sees the command would loop on: stop it after a long grace.
( sleep 60; kill "$pid" 2>/dev/null ) &
guard=$!
wait "$pid"
code=$?
kill "$guard" 2>/dev/null
exit "$code"
