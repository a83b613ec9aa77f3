#!/bin/sh
# The floors of the source tree hold: SDL is reached only from engine/platform/; the engine
# includes nothing of the game or the tools, the game nothing of the tools, and the file formats
# in game/data/ nothing of the game beyond their own folder. A quoted include is looked up where
# the compiler would look for it from the file's floor; one found only on a higher floor fails.
# usage: floors_test.sh SOURCE_DIR
set -u
src=${1:?usage: floors_test.sh SOURCE_DIR}
cd "$src" || exit 2
failed=0
fail() {
    echo "floors: $*"
    failed=1
}

for f in $(find engine game tools tests bench fuzz web -name '*.[ch]' -o -name '*.cpp' | sort); do
    case "$f" in engine/platform/*) continue ;; esac
    grep -q '^#include <SDL' "$f" && fail "$f includes SDL outside engine/platform/"
done

# check FLOOR ALLOWED...: every quoted include of a file under FLOOR must be found beside the file
# or in one of the ALLOWED folders; DIR:PREFIX allows DIR only for includes that start with PREFIX
# (the formats name each other as data/NAME.h from game/).
check() {
    floor=$1
    shift
    for f in $(find "$floor" -name '*.h' -o -name '*.cpp' | sort); do
        here=$(dirname "$f")
        for inc in $(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$f"); do
            found=""
            [ -e "$here/$inc" ] && found=yes
            for d in "$@"; do
                case "$d" in
                *:*) dir=${d%%:*} prefix=${d#*:} ;;
                *) dir=$d prefix="" ;;
                esac
                case "$inc" in "$prefix"*) ;; *) continue ;; esac
                [ -z "$found" ] && [ -e "$dir/$inc" ] && found=yes
            done
            [ -n "$found" ] && continue
            where=$(find engine game tools -path "*/$inc" | head -1)
            fail "$f includes \"$inc\" from ${where:-nowhere}, above its floor"
        done
    done
}
check engine engine engine/platform
check game/data game:data/ engine
check game game engine

[ "$failed" -eq 0 ] && echo "floors: engine <- game <- tools hold"
exit "$failed"
