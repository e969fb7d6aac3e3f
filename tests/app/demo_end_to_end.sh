#!/usr/bin/env bash
# The real demo program under its own X server (Xvfb), driven like a user would:
# the question box, the window, the picture, the Z zoom, a left drag and the ways out.
#
# usage: demo_end_to_end.sh SCENARIO PROGRAM ASSETS_DIR CLOSE_TOOL COLOUR_TOOL [SHOT_OUT]
#   window     answer No: title, 800x600 outer size, picture, Z zoom, drags, Escape
#   close      answer No, then close the window as a window manager would
#   fullscreen answer Yes: the window covers the screen
#   nodisplay  no X server at all: the failure goes to stderr, exit code 0
#   noimages   none of the five images: the program still runs and draws
#   nolily     without "giglio.tga": the program still runs and draws
# SHOT_OUT, if given, receives the window scenario's screenshot (PNG).
set -u

scenario=$1
# Absolute paths: the program runs from a folder of its own.
program=$(realpath "$2") assets=$(realpath "$3") close_tool=$(realpath "$4") colour_tool=$(realpath "$5")
shot_out=${6:+$(realpath -m "$6")}
title="Generatore generico di alberi - z = zoom"
screen_w=1024 screen_h=768

say() { echo "[$scenario] $*"; }

# ---- Without a display: no Xvfb at all ----------------------------------------------------
if [ "$scenario" = nodisplay ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cp "$assets"/* "$work"/
    (cd "$work" && exec env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER \
        timeout 30 "$program" >"$work/out.txt" 2>"$work/err.txt")
    rc=$?
    cat "$work/err.txt"
    [ "$rc" -eq 0 ] || { say "FAIL: exit code $rc, expected 0"; exit 1; }
    # The whole line: caption, then the text with its two closing blanks.
    grep -qxF "Video!: Settare lo schermo intero?  " "$work/err.txt" ||
        { say "FAIL: the question was not reported on stderr"; exit 1; }
    grep -qF "Error: Impossibile creare la finestra per la rispettiva applicazione!" "$work/err.txt" ||
        { say "FAIL: the window failure was not reported on stderr"; exit 1; }
    say "PASS"
    exit 0
fi

# ---- Outer part: run this script again inside its own X server ----------------------------
if [ -z "${DEMO_E2E_INNER:-}" ]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    # Parallel test runs may race for a display number; retry when the server never started.
    for attempt in 1 2 3; do
        DEMO_E2E_INNER=1 DEMO_E2E_WORK="$work" \
            xvfb-run -a -s "-screen 0 ${screen_w}x${screen_h}x24 -noreset" bash "$0" "$@"
        rc=$?
        [ -e "$work/started" ] && exit "$rc"
        say "X server did not start (attempt $attempt)"
        sleep 1
    done
    say "FAIL: no X server"
    exit 1
fi

# ---- Inner part: inside Xvfb --------------------------------------------------------------
work=$DEMO_E2E_WORK
touch "$work/started"
run="$work/run"
mkdir -p "$run"
case "$scenario" in
noimages) ;;
nolily) cp "$assets"/* "$run"/ && rm -f "$run/giglio.tga" ;;
*) cp "$assets"/* "$run"/ ;;
esac

export SDL_VIDEODRIVER=x11
(cd "$run" && exec "$program" >"$work/out.txt" 2>"$work/err.txt") &
pid=$!
trap 'kill "$pid" 2>/dev/null' EXIT

fail() {
    say "FAIL: $*"
    echo "--- program stderr:"
    cat "$work/err.txt"
    exit 1
}

# Runs a condition (a shell function) every 0.2 s until it holds, at most $1 seconds.
wait_until() {
    local seconds=$1
    shift
    local tries=$((seconds * 5))
    while [ "$tries" -gt 0 ]; do
        "$@" && return 0
        sleep 0.2
        tries=$((tries - 1))
    done
    return 1
}

# The id of the top-level window with exactly this name, or nothing.
window_named() {
    xwininfo -root -tree | grep -F "\"$1\"" | awk '{print $1}' | head -n 1
}
box_shown() { box=$(window_named "Video!"); [ -n "$box" ]; }
main_shown() { main=$(window_named "$title"); [ -n "$main" ]; }
program_ended() { ! kill -0 "$pid" 2>/dev/null; }

# Client rectangle of a window on the screen: sets cx cy cw ch.
client_rect() {
    local info
    info=$(xwininfo -id "$1") || return 1
    cx=$(awk '/Absolute upper-left X/ {print $NF}' <<<"$info")
    cy=$(awk '/Absolute upper-left Y/ {print $NF}' <<<"$info")
    cw=$(awk '/Width:/ {print $NF}' <<<"$info")
    ch=$(awk '/Height:/ {print $NF}' <<<"$info")
}

# Screenshot of the window's client into the image file $1 (the kind follows its name).
shot() {
    xwd -id "$main" -silent | convert xwd:- "$1"
}

# Colour classes of a part of a client shot given as fractions: colours FILE FX FY FW FH.
# Sets total black green white red brown.
colours() {
    local x y w h out
    read -r x y w h < <(awk -v cx="$cx" -v cy="$cy" -v cw="$cw" -v ch="$ch" \
        -v fx="$2" -v fy="$3" -v fw="$4" -v fh="$5" \
        'BEGIN { printf "%d %d %d %d\n", fx * cw, fy * ch, fw * cw, fh * ch }')
    out=$("$colour_tool" "$1" "$x" "$y" "$w" "$h") || return 1
    read -r _ total _ black _ green _ white _ red _ brown <<<"$out"
}

# Percentage helper: pct PART WHOLE.
pct() { echo $(($1 * 100 / ($2 > 0 ? $2 : 1))); }

# The scene shows once more than a third of the client is not black.
scene_drawn() {
    shot "$work/now.ppm" && colours "$work/now.ppm" 0 0 1 1 && [ "$(pct "$black" "$total")" -lt 66 ]
}

# Answers the question box with a key: Escape picks No, Return picks Yes.
answer() {
    wait_until 15 box_shown || fail "no question box"
    say "question box $box answered with $1"
    xdotool windowfocus --sync "$box" key "$1" || fail "cannot answer the box"
    wait_until 20 main_shown || fail "no window titled \"$title\""
    client_rect "$main" || fail "no geometry for the window"
    say "window $main: client ${cw}x${ch} at +$cx+$cy"
}

# Escape in the window ends the program with exit code 0.
quit_with_escape() {
    xdotool windowfocus --sync "$main" key Escape || fail "cannot press Escape"
    expect_exit "Escape"
}

expect_exit() {
    wait_until 15 program_ended || fail "still running after $1"
    wait "$pid"
    local rc=$?
    [ "$rc" -eq 0 ] || fail "exit code $rc after $1, expected 0"
    [ -z "$(window_named "$title")" ] || fail "window still there after $1"
    say "ended with exit code 0 after $1"
}

case "$scenario" in
window)
    answer Escape
    # Outer rectangle: the client inside a frame, the window at the screen's top-left.
    outer_w=$((cw + 2 * cx)) outer_h=$((ch + cy + cx))
    [ "$outer_w" -eq 800 ] && [ "$outer_h" -eq 600 ] || fail "outer size ${outer_w}x${outer_h}"
    [ "$cw" -lt 800 ] && [ "$ch" -lt 600 ] || fail "client not inside the frame"

    wait_until 20 scene_drawn || fail "the scene never appeared"
    shot "$work/base.ppm"
    # The picture for readers: the window's outer rectangle, from a shot of the screen.
    if [ -n "$shot_out" ]; then
        xwd -root -silent | convert xwd:- -crop "${outer_w}x${outer_h}+0+0" +repage "$shot_out" ||
            fail "cannot save the screenshot"
    fi
    colours "$work/base.ppm" 0 0 1 1
    base_black=$black

    colours "$work/base.ppm" 0 0 1 0.03
    [ "$black" -eq "$total" ] || fail "sky above the trees not black ($black of $total)"
    colours "$work/base.ppm" 0.20 0.80 0.60 0.08
    say "ground: $green green, $brown brown of $total"
    [ "$black" -eq 0 ] && [ "$(pct "$green" "$total")" -ge 20 ] && [ "$(pct "$brown" "$total")" -ge 20 ] ||
        fail "no textured ground (black $black green $green brown $brown of $total)"
    # The four trees: leaves on each, flowers and fruit on the full tree, bark on the
    # leafy tree's trunk against the sky, flowers on the flowering one, fruit on the small one.
    colours "$work/base.ppm" 0.204 0.054 0.296 0.32
    say "tree 0: $green green, $white white, $red red of $total"
    [ "$(pct "$green" "$total")" -ge 30 ] && [ "$white" -ge 20 ] && [ "$red" -ge 15 ] ||
        fail "tree 0 lacks leaves, flowers or fruit"
    colours "$work/base.ppm" 0.519 0.071 0.327 0.303
    say "tree 1: $green green, $brown brown of $total"
    [ "$(pct "$green" "$total")" -ge 30 ] && [ "$brown" -ge 200 ] || fail "tree 1 lacks leaves or bark"
    colours "$work/base.ppm" 0.5 0.417 0.2 0.346
    say "tree 2: $green green, $white white of $total"
    [ "$(pct "$green" "$total")" -ge 40 ] && [ "$white" -ge 20 ] || fail "tree 2 lacks leaves or flowers"
    colours "$work/base.ppm" 0.324 0.607 0.1 0.147
    say "tree 3: $green green, $red red of $total"
    [ "$(pct "$green" "$total")" -ge 40 ] && [ "$red" -ge 5 ] || fail "tree 3 lacks leaves or fruit"

    # Holding Z brings the scene nearer: far less of the client stays black.
    nearer() { shot "$work/now.ppm" && colours "$work/now.ppm" 0 0 1 1 && [ "$black" -lt $((base_black * 8 / 10)) ]; }
    restored() { shot "$work/now.ppm" && colours "$work/now.ppm" 0 0 1 1 &&
        [ "$black" -ge $((base_black * 99 / 100)) ] && [ "$black" -le $((base_black * 101 / 100)) ]; }
    xdotool windowfocus --sync "$main" keydown z || fail "cannot press Z"
    wait_until 10 nearer || fail "holding Z did not bring the scene nearer (black $black, was $base_black)"
    say "Z held: black $black, was $base_black"
    xdotool keyup z
    wait_until 10 restored || fail "releasing Z did not restore the view (black $black, was $base_black)"
    say "Z released: black $black"

    # Differs from the picture in $1 in more than a twentieth of the client.
    changed_from() {
        shot "$work/now.ppm" || return 1
        local changed
        changed=$(compare -metric AE -fuzz 10% "$1" "$work/now.ppm" null: 2>&1 >/dev/null)
        [ "${changed%%.*}" -gt $((cw * ch / 20)) ] 2>/dev/null
    }
    # Drags with mouse button $1 from the client's centre by ($2, $3) in six steps.
    drag() {
        local x=$((cx + cw / 2)) y=$((cy + ch / 2)) step
        xdotool mousemove --sync "$x" "$y" mousedown "$1" || return 1
        for step in 1 2 3 4 5 6; do
            xdotool mousemove --sync $((x + $2 * step / 6)) $((y + $3 * step / 6)) || return 1
        done
        xdotool mouseup "$1"
    }

    # A left drag turns the view.
    drag 1 120 0 || fail "cannot drag with the left button"
    wait_until 10 changed_from "$work/base.ppm" || fail "a left drag did not turn the view"
    say "left drag turned the view"

    # A right drag moves the view nearer or farther; first let the turn settle.
    settled() {
        shot "$work/turned.ppm" && shot "$work/now.ppm" &&
            [ "$(compare -metric AE "$work/turned.ppm" "$work/now.ppm" null: 2>&1)" = 0 ]
    }
    wait_until 10 settled || fail "the view never settled after the left drag"
    drag 3 0 60 || fail "cannot drag with the right button"
    wait_until 10 changed_from "$work/turned.ppm" || fail "a right drag did not move the view"
    say "right drag moved the view"

    quit_with_escape
    ;;
close)
    answer Escape
    wait_until 20 scene_drawn || fail "the scene never appeared"
    "$close_tool" "$main" || fail "cannot send WM_DELETE_WINDOW"
    expect_exit "closing the window"
    ;;
fullscreen)
    answer Return
    outer_w=$((cw + 2 * cx)) outer_h=$((ch + cy + cx))
    [ "$outer_w" -eq "$screen_w" ] && [ "$outer_h" -eq "$screen_h" ] ||
        fail "outer size ${outer_w}x${outer_h}, screen ${screen_w}x${screen_h}"
    wait_until 20 scene_drawn || fail "the scene never appeared"
    quit_with_escape
    ;;
noimages | nolily)
    answer Escape
    wait_until 20 scene_drawn || fail "the scene never appeared"
    quit_with_escape
    ;;
*)
    fail "unknown scenario"
    ;;
esac
say "PASS"
