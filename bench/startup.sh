#!/usr/bin/env bash
# Start-up of the real demo under its own X server (Xvfb): from the answered question
# box to the first frame presented, and the program's peak memory. Never fails on a
# figure; it prints PASS or MISS beside each target.
#
# usage: bench/startup.sh [BUILD_DIR] [RUNS]        (default: build/perf, 5 runs)
#
# Each run starts the program from a copy of assets/, answers the box with Escape (No)
# through xdotool, waits for the scene on the screen, then quits with Escape. Two clocks:
#  - in the process: the start-up probe (BUILD_DIR/bench/libstartup_probe.so, preloaded)
#    notes when SDL's message box returned and when the first buffer swap returned,
#    and the peak resident memory (VmHWM) at the first frame and at the end;
#  - outside: from xdotool's answer to the first screenshot (xwd) in which the window is
#    no longer black; this adds the screenshot's own latency, so it is an upper bound.
# /usr/bin/time gives the peak resident memory as a third figure.
# STARTUP_PERF=FILE records a perf profile of the last run into FILE (perf record -g);
# that run ends right after its first frame, so the profile holds the start-up alone.
# STARTUP_SMAPS=FILE saves the program's memory map with resident sizes, taken while the
# scene is on the screen, into FILE (the last run's).
set -u

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
build=$(realpath "${1:-$root/build/perf}")
runs=${2:-5}
program="$build/app/tree_demo"
probe="$build/bench/libstartup_probe.so"
title="Generatore generico di alberi - z = zoom"
start_target_ms=250
memory_target_mib=64

# ---- Outer part: check, then run this script again inside its own X server ---------------
if [ -z "${STARTUP_INNER:-}" ]; then
    for f in "$program" "$probe"; do
        [ -e "$f" ] || { echo "missing $f: cmake --build $build --target tree_demo startup_probe"; exit 1; }
    done
    for tool in xvfb-run xdotool xwininfo xwd convert; do
        command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
    done
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    for attempt in 1 2 3; do
        STARTUP_INNER=1 STARTUP_WORK="$work" \
            xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$build" "$runs"
        rc=$?
        [ -e "$work/started" ] && exit "$rc"
        echo "X server did not start (attempt $attempt)"
        sleep 1
    done
    exit 1
fi

# ---- Inner part: inside Xvfb --------------------------------------------------------------
work=$STARTUP_WORK
touch "$work/started"
export SDL_VIDEODRIVER=x11

now_ns() { date +%s%N; }
# The id of the top-level window with exactly this name, or nothing.
window_named() { xwininfo -root -tree | grep -F "\"$1\"" | awk '{print $1}' | head -n 1; }
# True once less than 90 % of the window is black.
window_drawn() {
    local black
    black=$(xwd -id "$1" -silent 2>/dev/null | convert xwd:- -colorspace gray -threshold 2% \
        -negate -format '%[fx:mean*100]' info: 2>/dev/null) || return 1
    [ -n "$black" ] && awk -v b="$black" 'BEGIN { exit !(b < 90) }'
}
# Value of a key in the probe file.
probe_value() { awk -v k="$1" '$1 == k { print $2; exit }' "$2"; }
# Median of numbers, one a line.
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR) print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

inside_ms=() outside_ms=() hwm_mib=() first_mib=() time_mib=() context_mib=() scene_mib=() window_ms=() scene_ms=() frame_ms=()
# Milliseconds between two probe marks, or nothing.
span() { awk -v a="$1" -v b="$2" 'BEGIN { if (a && b) printf "%.1f", (b - a) / 1e6 }'; }
for run in $(seq 1 "$runs"); do
    dir="$work/run$run"
    mkdir -p "$dir"
    cp "$root"/assets/* "$dir"/
    probe_out="$dir/probe.txt"
    profiler=() stop=()
    if [ -n "${STARTUP_PERF:-}" ] && [ "$run" -eq "$runs" ]; then
        profiler=(perf record -q -g -o "$STARTUP_PERF" --)
        stop=(STARTUP_PROBE_STOP=1)
    fi
    (cd "$dir" && exec env "${stop[@]}" LD_PRELOAD="$probe" STARTUP_PROBE_OUT="$probe_out" \
        /usr/bin/time -f "%M" -o "$dir/time.txt" "${profiler[@]}" "$program" >"$dir/out.txt" 2>"$dir/err.txt") &
    pid=$!

    box=""
    for _ in $(seq 1 150); do
        box=$(window_named "Video!")
        [ -n "$box" ] && break
        sleep 0.1
    done
    [ -n "$box" ] || { echo "run $run: no question box"; kill "$pid"; wait "$pid"; continue; }
    sleep 0.3 # let the box settle before the key, as a user would
    xdotool windowfocus --sync "$box" key Escape
    answered=$(now_ns)

    main=""
    drawn=""
    for _ in $(seq 1 2000); do
        [ -z "$main" ] && main=$(window_named "$title")
        if [ -n "$main" ] && window_drawn "$main"; then
            drawn=$(now_ns)
            break
        fi
    done
    [ -n "$drawn" ] || echo "run $run: the scene never appeared"
    sleep 0.5
    if [ -n "${STARTUP_SMAPS:-}" ]; then
        demo_pid=$(pgrep -n -f "^$program" || true)
        [ -n "$demo_pid" ] && cp "/proc/$demo_pid/smaps" "$STARTUP_SMAPS"
    fi
    [ -n "$main" ] && xdotool windowfocus --sync "$main" key Escape
    for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill "$pid" 2>/dev/null
    wait "$pid"

    box_ns=$(probe_value answered "$probe_out")
    context_ns=$(probe_value context "$probe_out")
    drawing_ns=$(probe_value drawing "$probe_out")
    frame_ns=$(probe_value presented "$probe_out")
    inside=$(span "$box_ns" "$frame_ns")
    outside=$(span "$answered" "$drawn")
    window=$(span "$box_ns" "$context_ns") scene=$(span "$context_ns" "$drawing_ns") frame=$(span "$drawing_ns" "$frame_ns")
    hwm=$(awk -v k="$(probe_value hwm_kib "$probe_out")" 'BEGIN { if (k) printf "%.1f", k / 1024 }')
    first=$(awk -v k="$(probe_value hwm_first_frame_kib "$probe_out")" 'BEGIN { if (k) printf "%.1f", k / 1024 }')
    at_context=$(awk -v k="$(probe_value hwm_context_kib "$probe_out")" 'BEGIN { if (k) printf "%.1f", k / 1024 }')
    at_scene=$(awk -v k="$(probe_value hwm_scene_kib "$probe_out")" 'BEGIN { if (k) printf "%.1f", k / 1024 }')
    peak=$(awk '{ printf "%.1f", $1 / 1024 }' "$dir/time.txt" 2>/dev/null)
    echo "run $run: answered box -> first frame ${inside:-?} ms in the process, ${outside:-?} ms on the screen;" \
        "peak memory ${hwm:-?} MiB (${first:-?} MiB at the first frame; /usr/bin/time ${peak:-?} MiB)"
    echo "       window and context ${window:-?} ms, start-up state and scene ${scene:-?} ms, first frame and swap ${frame:-?} ms"
    echo "       peak memory with the context ${at_context:-?} MiB, with the scene ${at_scene:-?} MiB"
    [ -n "$inside" ] && inside_ms+=("$inside")
    [ -n "$outside" ] && outside_ms+=("$outside")
    [ -n "$hwm" ] && hwm_mib+=("$hwm")
    [ -n "$first" ] && first_mib+=("$first")
    [ -n "$peak" ] && time_mib+=("$peak")
    [ -n "$at_context" ] && context_mib+=("$at_context")
    [ -n "$at_scene" ] && scene_mib+=("$at_scene")
    [ -n "$window" ] && window_ms+=("$window")
    [ -n "$scene" ] && scene_ms+=("$scene")
    [ -n "$frame" ] && frame_ms+=("$frame")
done

m_inside=$(printf '%s\n' "${inside_ms[@]}" | median)
m_outside=$(printf '%s\n' "${outside_ms[@]}" | median)
m_hwm=$(printf '%s\n' "${hwm_mib[@]}" | median)
m_first=$(printf '%s\n' "${first_mib[@]}" | median)
m_time=$(printf '%s\n' "${time_mib[@]}" | median)
verdict() { awk -v v="$1" -v l="$2" 'BEGIN { print (v != "" && v <= l) ? "PASS" : "MISS" }'; }
echo
echo "median of ${#inside_ms[@]} runs:"
printf '%-52s %10s ms     (target: at most %s ms)  %s\n' "answered box -> first frame presented (in process)" \
    "${m_inside:-?}" "$start_target_ms" "$(verdict "$m_inside" "$start_target_ms")"
printf '%-52s %10s ms\n' "  of which: window and GL context" "$(printf '%s\n' "${window_ms[@]}" | median)"
printf '%-52s %10s ms\n' "  of which: GL state, five textures, four trees" "$(printf '%s\n' "${scene_ms[@]}" | median)"
printf '%-52s %10s ms\n' "  of which: first frame drawn and swapped" "$(printf '%s\n' "${frame_ms[@]}" | median)"
printf '%-52s %10s ms     (upper bound, screenshot polling)\n' "answered box -> scene seen on the screen" "${m_outside:-?}"
printf '%-52s %10s MiB    (target: at most %s MiB)  %s\n' "peak resident memory (VmHWM at exit)" \
    "${m_hwm:-?}" "$memory_target_mib" "$(verdict "$m_hwm" "$memory_target_mib")"
printf '%-52s %10s MiB\n' "peak resident memory with the window and GL context" "$(printf '%s\n' "${context_mib[@]}" | median)"
printf '%-52s %10s MiB\n' "peak resident memory with the scene built" "$(printf '%s\n' "${scene_mib[@]}" | median)"
printf '%-52s %10s MiB\n' "peak resident memory at the first frame" "${m_first:-?}"
printf '%-52s %10s MiB\n' "peak resident memory (/usr/bin/time)" "${m_time:-?}"
echo "machine: $(nproc) cores, $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo);" \
    "LP_NUM_THREADS ${LP_NUM_THREADS:-unset}; load average $(cut -d' ' -f1-3 /proc/loadavg)"
exit 0
