#!/bin/bash
# Measures the figures of docs/PERFORMANCE.md on the machine at hand and prints each beside its
# target. Needs a build with the benchmarks (bench_*), the pacing probe and the baked game root,
# plus Xvfb and xdotool for the real-window figures. Takes about a minute.
set -eu

usage() {
    cat <<EOF
usage: bench/perf.sh [BUILD_DIR]

Measures, on this machine: the logic time of the busiest frame, heap allocations in a quiet
frame, replay speed, peak memory of a play, and in a real window under Xvfb: time to the first
presented frame, the frame period, the game's share of a core (running, waiting, paused) and
the delay from a key press to the first presented frame that shows it.
BUILD_DIR defaults to build; it must hold root/zentaku, root/zentaku-replay, bench/ and the
pacing probe (bench/zt_pacing_probe).
EOF
}
case "${1:-}" in -h | --help) usage; exit 0 ;; esac

build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")/.." && pwd)
root=$build/root
for f in "$root/zentaku" "$root/zentaku-replay" "$build/bench/bench_game_frame" \
    "$build/bench/bench_replay" "$build/bench/zt_pacing_probe"; do
    [ -x "$f" ] || { echo "perf.sh: $f is missing; build it first" >&2; exit 1; }
done
for t in Xvfb xdotool awk; do
    command -v "$t" >/dev/null || { echo "perf.sh: $t is needed" >&2; exit 1; }
done

scratch=$(mktemp -d)
xvfb=""
game=""
cleanup() {
    [ -n "$game" ] && kill "$game" 2>/dev/null || true
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

row() { printf '%-44s %-28s %s\n' "$1" "$2" "$3"; }
# The benchmarks' CSV: the value of a column in the row of a benchmark.
csv() { awk -F, -v name="$2" -v col="$3" '
    /^name,/ { gsub(/"/, ""); for (i = 1; i <= NF; i++) h[$i] = i; next }
    h["name"] && index($1, name) { gsub(/"/, "", $0); split($0, f, ","); print f[h[col]]; exit }' "$1"; }

echo "== Benchmarks (headless) =="
# One benchmark a run: the CSV report wants the same counters in every row.
bench() { "$build/bench/$1" --benchmark_filter="$2" --benchmark_format=csv >"$scratch/$2.csv" 2>/dev/null; }
bench bench_game_frame BM_WorstFrameLogic
bench bench_game_frame BM_WorstFrameDraw
bench bench_game_frame BM_QuietFrameAllocations
bench bench_replay BM_ReplayTenMinutes
ms() { awk -v us="$1" 'BEGIN { printf "%.3f ms", us / 1000 }'; }
logic=$(csv "$scratch/BM_WorstFrameLogic.csv" BM_WorstFrameLogic real_time)
logicCpu=$(csv "$scratch/BM_WorstFrameLogic.csv" BM_WorstFrameLogic cpu_time)
draw=$(csv "$scratch/BM_WorstFrameDraw.csv" BM_WorstFrameDraw cpu_time)
allocs=$(csv "$scratch/BM_QuietFrameAllocations.csv" BM_QuietFrameAllocations allocs/frame)
replay=$(csv "$scratch/BM_ReplayTenMinutes.csv" BM_ReplayTenMinutes frames/s)
row "figure" "measured" "target"
echo "(load average now: $(cut -d' ' -f1-3 /proc/loadavg) on $(nproc) cores; wall times suffer from it)"
row "busiest frame, logic (processor time)" "$(ms "$logicCpu")" "< 1 ms"
row "busiest frame, logic (wall time)" "$(ms "$logic")" "< 1 ms"
row "busiest frame, queue and flush of its draw" "$(ms "$draw")" "(no target)"
row "heap allocations in a quiet frame" "$allocs" "0"
row "replay speed (headless)" "$(printf '%.0f frames/s' "$replay")" "> 50,000 frames/s"

# Peak memory of a whole play: the stored pilot play (about two minutes) replayed by the batch tool.
(cd "$root" && /usr/bin/time -f '%M' -o "$scratch/rss" ./zentaku-replay \
    "$here/tests/replay/data/pilot.rep" >"$scratch/replay.out" 2>&1) || true
row "peak memory of a play (batch replay)" "$(cat "$scratch/rss") KiB" "(no target)"

echo
echo "== Real window under Xvfb =="
n=90
while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
display=:$n
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY=$display SDL_AUDIODRIVER=dummy

# A game root of its own, so that the player's zent.ini and scores stay untouched.
play=$scratch/root
mkdir -p "$play/rep"
for d in pixel snd dat; do ln -s "$root/$d" "$play/$d"; done
cp "$root/zentaku" "$play/"
: >"$play/zent.ini"

ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
hz=$(getconf CLK_TCK)
now() { date +%s%N; }
key() { xdotool keydown "$1"; sleep 0.12; xdotool keyup "$1"; }

start=$(now)
(cd "$play" && exec env ZT_TRACE="$scratch/trace" ./zentaku) &
game=$!
sleep 3
key z # past the power-on logos; the title runs its animation
sleep 2
c0=$(ticks "$game"); t0=$(now)
sleep 10
c1=$(ticks "$game"); t1=$(now)
key p # the pause
sleep 1
c2=$(ticks "$game"); t2=$(now)
sleep 5
c3=$(ticks "$game"); t3=$(now)
key p
sleep 1
key z # the title's menu; Down moves its cursor and changes the picture that very frame
sleep 1.5
: >"$scratch/presses"
for i in 1 2 3 4 5 6 7 8 9 10; do
    sleep "0.$((RANDOM % 9 + 1))"
    now >>"$scratch/presses"
    key Down
done
sleep 0.5
peak=$(awk '/VmHWM/ {print $2}' "/proc/$game/status")
key Escape
wait "$game" || true
game=""

first=$(awk '$1 == "present" {print $2; exit}' "$scratch/trace")
row "start to first presented frame" "$(((first - start) / 1000000)) ms" "< 300 ms"
# The same start on SDL's software renderer: under Xvfb the default one is OpenGL emulated by
# the processor, whose start-up (loading LLVM) dominates the figure above.
start=$(now)
(cd "$play" && exec env ZT_TRACE="$scratch/trace2" SDL_RENDER_DRIVER=software ./zentaku) &
game=$!
sleep 2.5
key Escape
wait "$game" || true
game=""
first=$(awk '$1 == "present" {print $2; exit}' "$scratch/trace2")
row "  the same, software renderer" "$(((first - start) / 1000000)) ms" "< 300 ms"
awk -v a="$t0" -v b="$t1" '$1 == "present" && $2 >= a && $2 <= b {
        if (last) { p = ($2 - last) / 1e6; n++; s += p; q += p * p; if (p > 20) slow++ }
        last = $2 }
    END { m = s / n; printf "%-44s %-28s %s\n", "frame period, mean (" n " periods)",
              sprintf("%.3f ms", m), "16.67 ms"
          printf "%-44s %-28s %s\n", "frame period, standard deviation",
              sprintf("%.3f ms", sqrt(q / n - m * m)), "(small)"
          printf "%-44s %-28s %s\n", "periods over 20 ms", slow + 0, "(none)" }' "$scratch/trace"
share() { awk -v c="$1" -v hz="$hz" -v ns="$2" 'BEGIN { printf "%.1f %% of a core", 100 * c / hz / (ns / 1e9) }'; }
row "whole game running (software GL under Xvfb)" "$(share $((c1 - c0)) $((t1 - t0)))" "(no target)"
row "whole game paused" "$(share $((c3 - c2)) $((t3 - t2)))" "(small)"
row "peak memory of the running game (VmHWM)" "$peak KiB" "(no target)"

# Key press to the first presented frame that shows it. The key reaches the program when SDL
# reads it from the display connection ("keydown"); the frame whose poll first sees it held
# ("keys") draws its effect and presents it. Counted: presents from arrival to that frame's own,
# and, apart, the presents that went by while xdotool and the X server were still sending it.
awk 'FNR == NR { press[++np] = $1; next }
    $1 == "keydown" { down[++nd] = $2 }
    $1 == "keys" && $3 > 0 { keyAt[++nk] = $2 }
    $1 == "present" { pres[++nq] = $2 }
    function after(list, n, t,    j) { for (j = 1; j <= n; j++) if (list[j] > t) return list[j]; return 0 }
    function between(a, b,    j, c) { c = 0; for (j = 1; j <= nq; j++) if (pres[j] > a && pres[j] <= b) c++; return c }
    END {
        for (i = 1; i <= np; i++) {
            a = after(down, nd, press[i]); if (!a) continue
            k = after(keyAt, nk, a); if (!k) continue
            p = after(pres, nq, k); if (!p) continue
            f = between(a, p); hist[f]++; if (f > worst) worst = f
            sent += between(press[i], a); ms += (p - a) / 1e6; total += (p - press[i]) / 1e6; n++
        }
        line = ""
        for (f = 0; f <= worst; f++) if (hist[f]) line = line hist[f] "x" f " "
        printf "%-44s %-28s %s\n", "key arrival to its frame on screen (" n " keys)",
            "frames: " line, "next presented frame (1)"
        printf "%-44s %-28s %s\n", "  the same in time, mean", sprintf("%.1f ms", ms / n), ""
        printf "%-44s %-28s %s\n", "  xdotool start to screen, mean",
            sprintf("%.1f ms (%.1f frames sending)", total / n, sent / n), ""
    }' "$scratch/presses" "$scratch/trace"

# The frame clock's wait loop alone, in the same window: what waiting costs the processor.
(cd "$play" && "$build/bench/zt_pacing_probe") >"$scratch/probe" 2>&1 || true
wait_share=$(awk '/^wait loop:/ {print $3}' "$scratch/probe")
row "frame clock waiting (SDL_Delay(1) polls)" "$wait_share % of a core" "< 5 % of a core"
vs=$(grep -m1 'vsync' "$play/_ZT_Debug.log" | awk '{print $3}')
row "presentation in step with the display" "${vs:-unknown} (Xvfb has no refresh)" "on where available"
