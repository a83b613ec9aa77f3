#!/bin/sh
# deb_test.sh BUILD_DIR REPLAY: makes the Debian package, unpacks it into a scratch folder and
# checks it: a /usr layout with the desktop files, dependencies read from the binaries, and the
# unpacked replay tool verifying REPLAY from a fresh home, where it makes the per-user root.
set -eu
build=$1
replay=$2
scratch=$(mktemp -d /tmp/zentaku_deb_XXXXXX)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cd "$build"
cpack -G DEB -B "$scratch/out" >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; fail cpack; }
deb=$(ls "$scratch"/out/zentaku_*_amd64.deb) || fail "no amd64 package"
dpkg-deb -I "$deb" >"$scratch/info"
grep -q '^ Depends:.*libsdl2-2.0-0' "$scratch/info" || { cat "$scratch/info"; fail "no computed dependencies"; }

dpkg-deb -x "$deb" "$scratch/root"
u="$scratch/root/usr"
for f in bin/zentaku bin/zentaku-replay share/zentaku/pixel/sys.dat share/zentaku/snd/MU00.ogg \
         share/zentaku/dat/m00.ztm share/zentaku/text/ja/kaiwa0.txt \
         share/zentaku/text/en/kaiwa0.txt share/zentaku/text/en/zentaku.mo \
         share/applications/org.zentaku.Zentaku.desktop \
         share/metainfo/org.zentaku.Zentaku.metainfo.xml \
         share/icons/hicolor/48x48/apps/org.zentaku.Zentaku.png \
         share/man/man6/zentaku.6.gz share/man/man6/zentaku-replay.6.gz; do
  [ -s "$u/$f" ] || fail "$f missing from the package"
done

# The unpacked tree is a prefix moved away from /usr: the tool must still find its data.
mkdir "$scratch/home"
cd "$scratch/home"
env -u XDG_DATA_HOME HOME="$scratch/home" "$u/bin/zentaku-replay" "$replay" || fail "the replay did not verify"
user="$scratch/home/.local/share/zentaku"
[ -d "$user/rep" ] && [ -s "$user/dat/m00.ztm" ] && [ -s "$user/dat/s23.zts" ] || fail "no per-user root"
[ ! -e "$user/text" ] && [ ! -e "$user/pixel" ] || fail "read-only data copied"
echo "package $(basename "$deb") verified"
