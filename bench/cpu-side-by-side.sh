#!/bin/bash
# Runs two builds of the game side by side in one private Xvfb display and prints each one's
# share of a core on the title screen, measured over the same seconds, several times over.
set -eu

usage() {
    cat <<EOF
usage: bench/cpu-side-by-side.sh [--seconds N] [--runs N] [--ini TEXT] ROOT_A ROOT_B

ROOT_A and ROOT_B are game roots (a zentaku executable beside pixel/, snd/ and dat/), for
example an older build's root and this one's. Both programs run at once under one Xvfb, in
game roots of their own (the given roots are only read), wait out the power-on logos for the
title, and their processor time is read from /proc over the same N seconds (default 10),
R times (default 3). --ini adds lines to both zent.ini files (e.g. '[Screen]\nVSync=0\n');
--shot FILE takes a screenshot of both at the end.
Needs Xvfb and xdotool.
EOF
}

seconds=10
runs=3
ini=""
shot=""
while [ $# -gt 0 ]; do
    case "$1" in
    -h | --help) usage; exit 0 ;;
    --seconds) seconds=$2; shift 2 ;;
    --runs) runs=$2; shift 2 ;;
    --ini) ini=$2; shift 2 ;;
    --shot) shot=$(realpath -m "$2"); shift 2 ;;
    *) break ;;
    esac
done
[ $# -eq 2 ] || { usage >&2; exit 1; }
for t in Xvfb xdotool; do
    command -v "$t" >/dev/null || { echo "cpu-side-by-side.sh: $t is needed" >&2; exit 1; }
done
for r in "$1" "$2"; do
    [ -x "$r/zentaku" ] && [ -d "$r/pixel" ] ||
        { echo "cpu-side-by-side.sh: $r is not a game root with zentaku in it" >&2; exit 1; }
done

scratch=$(mktemp -d)
pids=()
xvfb=""
cleanup() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
Xvfb ":$n" -screen 0 1400x600x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=":$n" SDL_AUDIODRIVER=dummy

# Each in a root of its own, side by side on the screen.
i=0
for r in "$1" "$2"; do
    play=$scratch/root$i
    mkdir -p "$play/rep"
    for d in pixel snd dat; do ln -s "$(cd "$r" && pwd)/$d" "$play/$d"; done
    cp "$r/zentaku" "$play/"
    # Only one window can have the focus: neither pauses when it goes.
    printf '[Form]\nTop=40\nLeft=%d\n[Screen]\nFocusPause=0\n%b' $((i * 700 + 20)) "$ini" \
        >"$play/zent.ini"
    (cd "$play" && exec ./zentaku >/dev/null 2>&1) &
    pids+=($!)
    i=$((i + 1))
done
# The power-on logos end by themselves after about seven seconds, and both are then on the title
# (a key would open the title's menu in one and not the other, depending on when it came).
xdotool mousemove 1390 590 # the pointer over neither window
sleep 11

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
echo "share of one core on the title, both running at once, ${seconds} s a run"
printf '%-6s %-12s %-12s %s\n' run "A" "B" "load average"
for run in $(seq 1 "$runs"); do
    a0=$(ticks "${pids[0]}") b0=$(ticks "${pids[1]}") t0=$(date +%s%N)
    sleep "$seconds"
    a1=$(ticks "${pids[0]}") b1=$(ticks "${pids[1]}") t1=$(date +%s%N)
    share() { awk -v c="$1" -v hz="$hz" -v ns="$((t1 - t0))" 'BEGIN { printf "%.1f %%", 100 * c / hz / (ns / 1e9) }'; }
    printf '%-6s %-12s %-12s %s\n' "$run" "$(share $((a1 - a0)))" "$(share $((b1 - b0)))" \
        "$(cut -d' ' -f1-3 /proc/loadavg)"
done
[ -n "$shot" ] && import -window root "$shot"
echo "A: $1"
echo "B: $2"
for i in 0 1; do grep -E "driver|vsync" "$scratch/root$i/_ZT_Debug.log" 2>/dev/null | tr -s ' ' |
    tr '\n' ' ' | sed "s/^/$( [ $i = 0 ] && echo A || echo B): /"; echo; done
