#!/bin/sh
# The searching player's smoke test: usage smoke_test.sh SEARCH REPLAY GAME_ROOT.
set -eu
search=$1
replay=$2
root=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

# Every option that takes a value, given last without one, names itself.
for option in --segment --lookahead --pilot-every --jobs --limit --until --retries --field --tail --spare \
    --prefix --language; do
    if "$search" "$option" >"$dir/said" 2>&1; then
        echo "$option without its value was taken"
        exit 1
    fi
    if ! grep -q -- "^zentaku-search: $option wants" "$dir/said"; then
        echo "$option without its value: $(head -n 1 "$dir/said")"
        exit 1
    fi
done

# A few hundred frames of search on the first field with a short lookahead, then the play is
# given up: what it saved must play back as its file says.
"$search" --quiet --lookahead 20 --until 600 "$dir/short.rep" "$root" >"$dir/said"
cat "$dir/said"
grep -q "^saved $dir/short.rep" "$dir/said"
tries=$(sed -n 's/^seconds .*(\([0-9]*\) tries.*/\1/p' "$dir/said")
if [ "${tries:-0}" -lt 18 ]; then
    echo "the search tried nothing"
    exit 1
fi
"$replay" "$dir/short.rep" "$root"
