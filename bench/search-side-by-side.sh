#!/bin/bash
# Runs two builds of the searching player on the whole game, one after the other, and prints
# each one's time and result: wall and processor seconds, and the play it saved (frames, score,
# tanks lost, the field it ended on), checked by the replay verifier.
set -eu

usage() {
    cat <<EOF
usage: bench/search-side-by-side.sh [--runs N] [--jobs N] [--options TEXT] OLD_SEARCH NEW_SEARCH
       GAME_ROOT [REPLAY]

OLD_SEARCH and NEW_SEARCH are zentaku-search programs (an older build's and this one's);
both play the whole game on GAME_ROOT (only read) with the same options, R times each in turn
(default 1), with --jobs N tries at once (default 2) and the search options TEXT given to
both (the committed whole game: --options '--segment 8 --lookahead 100'). REPLAY, the
zentaku-replay that checks every saved play, defaults to the one beside NEW_SEARCH. A play
wins when it reaches field 13, the ending; each round also says whether the two saved plays
are the same file.
EOF
}

runs=1
jobs=2
options=""
while [ $# -gt 0 ]; do
    case "$1" in
    -h | --help) usage; exit 0 ;;
    --runs) runs=$2; shift 2 ;;
    --jobs) jobs=$2; shift 2 ;;
    --options) options=$2; shift 2 ;;
    *) break ;;
    esac
done
[ $# -eq 3 ] || [ $# -eq 4 ] || { usage >&2; exit 1; }
old=$(realpath "$1")
new=$(realpath "$2")
root=$(realpath "$3")
replay=$(realpath "${4:-$(dirname "$new")/zentaku-replay}")
for p in "$old" "$new" "$replay"; do
    [ -x "$p" ] || { echo "search-side-by-side.sh: $p is not a program" >&2; exit 1; }
done

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# One run: prints "wall cpu frames score lost field verdict".
one() {
    local program=$1 name=$2
    local out=$scratch/$name.rep
    rm -f "$out" "$out".field*
    local begin end cpu
    begin=$(date +%s.%N)
    # The processor time of the search and of every copy it forked.
    cpu=$( { TIMEFORMAT='%U %S'; time "$program" --quiet --jobs "$jobs" $options "$out" "$root" \
        >"$scratch/$name.said" 2>"$scratch/$name.err" || true; } 2>&1 )
    end=$(date +%s.%N)
    local verdict=unsaved
    if [ -f "$out" ]; then
        if "$replay" "$out" "$root" >/dev/null 2>&1; then verdict=verifies; else verdict=DESYNC; fi
    fi
    awk -v b="$begin" -v e="$end" -v c="$cpu" -v v="$verdict" '
        /^frames / { f = $2 } /^score / { s = $2 } /^misses / { m = $2 } /^field [0-9]+$/ { d = $2 }
        END { split(c, t, " "); printf "%.1f %.1f %s %s %s %s %s\n", e - b, t[1] + t[2], f, s, m, d, v }
    ' "$scratch/$name.said"
}

printf '%-4s %-4s %8s %8s %7s %7s %5s %6s  %s\n' run who wall_s cpu_s frames score lost field play
for r in $(seq 1 "$runs"); do
    for who in old new; do
        program=$old
        [ "$who" = new ] && program=$new
        read -r wall cpu frames score lost field verdict < <(one "$program" "$who")
        echo "$who $wall $cpu" >>"$scratch/times"
        won=lost
        [ "${field:-0}" -ge 13 ] && won=won
        printf '%-4s %-4s %8s %8s %7s %7s %5s %6s  %s, %s\n' "$r" "$who" "$wall" "$cpu" \
            "$frames" "$score" "$lost" "$field" "$won" "$verdict"
    done
    if cmp -s "$scratch/old.rep" "$scratch/new.rep"; then
        echo "     the two plays are the same, word for word"
    else
        echo "     the two plays differ"
    fi
done
awk '{ w[$1] += $2; c[$1] += $3; n[$1] += 1 }
     END { printf "mean: old %.1f s wall, %.1f s cpu; new %.1f s wall, %.1f s cpu; " \
                  "%.2f times as fast (wall), %.2f (cpu)\n",
                  w["old"] / n["old"], c["old"] / n["old"], w["new"] / n["new"], c["new"] / n["new"],
                  w["old"] / w["new"], c["old"] / c["new"] }' "$scratch/times"
