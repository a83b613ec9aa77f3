#!/bin/sh
# hashes.sh TOOL_A TOOL_B ROOT REPLAY...: plays every replay with two builds of zentaku-replay
# (say the gcc build and the clang sanitizer build) and compares the state hash of every frame.
# Fails at the first frame where they differ, naming the replay and the frame. Writes only to a
# temporary folder of its own.
set -eu
if [ "$#" -lt 4 ] || [ "$1" = "--help" ]; then
  echo "usage: sh tools/hashes.sh TOOL_A TOOL_B GAME_ROOT REPLAY..." >&2
  echo "Compares the per-frame state hashes of two builds over each replay." >&2
  [ "$#" -ge 1 ] && [ "$1" = "--help" ] && exit 0
  exit 3
fi
a=$1 b=$2 root=$3
shift 3
for tool in "$a" "$b"; do
  [ -x "$tool" ] || { echo "hashes: $tool is not a program" >&2; exit 3; }
done
work=$(mktemp -d "${TMPDIR:-/tmp}/zentaku_hashes_XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0
for replay in "$@"; do
  name=$(basename "$replay")
  echo "hashes: $name ..."
  # A desync (exit 1) still gives a stream to compare; anything worse is a failure of its own.
  for side in a b; do
    eval tool=\$$side
    status=0
    "$tool" --hashes "$replay" "$root" >"$work/$side" 2>"$work/$side.err" || status=$?
    if [ "$status" -ge 2 ]; then
      cat "$work/$side.err" >&2
      echo "hashes: $name: $tool could not play it (exit $status)" >&2
      exit 3
    fi
  done
  parted=$(paste -d ' ' "$work/a" "$work/b" | awk -v a="$a" -v b="$b" '
    $2 != $4 {
      printf "frame %s (%s: %s, %s: %s)", ($1 != "" ? $1 : $3), a, ($2 != "" ? $2 : "no frame"),
             b, ($4 != "" ? $4 : "no frame")
      exit
    }')
  if [ -n "$parted" ]; then
    echo "hashes: $name: the builds part at $parted" >&2
    failed=1
  else
    echo "hashes: $name: $(wc -l <"$work/a") frames alike"
  fi
done
exit $failed
