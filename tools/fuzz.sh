#!/bin/sh
# Runs one libFuzzer target for a while with bounded memory, on a scratch copy of its corpus:
#   sh tools/fuzz.sh TARGET [SECONDS]      (TARGET: map set score replay ini texture text)
# Needs the fuzz build (see fuzz/CMakeLists.txt) in build-fuzz/. Findings (crash-*, leak-*,
# oom-*, timeout-*) land in build-fuzz/runs/TARGET/; the log there ends with the run's figures.
set -e
cd "$(dirname "$0")/.."
case "$1" in
"" | -h | --help)
    sed -n '2,5s/^# \{0,1\}//p' "$0"
    exit 0
    ;;
esac
target=$1
seconds=${2:-600}
bin=build-fuzz/fuzz/fuzz_$target
[ -x "$bin" ] || { echo "fuzz.sh: $bin is missing; build the fuzz targets first" >&2; exit 2; }
[ -d "fuzz/corpus/$target" ] || { echo "fuzz.sh: no corpus fuzz/corpus/$target" >&2; exit 2; }
run=$PWD/build-fuzz/runs/$target # absolute: the replay target changes folder
rm -rf "$run"
mkdir -p "$run/corpus"
cp "fuzz/corpus/$target"/* "$run/corpus/"
echo "fuzz.sh: $target for $seconds s, log in $run/log"
status=0
/usr/bin/time -v -o "$run/time" "$bin" -max_total_time="$seconds" -rss_limit_mb=1024 \
    -malloc_limit_mb=256 -timeout=10 -print_final_stats=1 -artifact_prefix="$run/" \
    "$run/corpus" >"$run/log" 2>&1 || status=$?
grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$run/log" || true
grep -E 'Maximum resident|Elapsed|User time' "$run/time" || true
ls "$run" | grep -E '^(crash|leak|oom|timeout|slow-unit)-' || echo "fuzz.sh: $target found nothing"
exit $status
