#!/bin/sh
# The browser game in a real headless browser: serves build-web/ on 127.0.0.1, and drives the page
# with puppeteer-core (installed here from npm into the web cache on first use) through
# chromium-headless-shell, from power-on to a field, name entry and a reload (browser_test.js).
#
# usage: sh tests/web/browser.sh [BUILD_WEB_DIR] [--help]
# Writes its pictures to BUILD_WEB_DIR/browser-test/. Exit status: 0 passed, 1 failed, 3 no build.
set -e
case "$1" in -h|--help) sed -n '2,7p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;; esac
cd "$(dirname "$0")/../.."
dir=${1:-build-web}
[ -f "$dir/zentaku.wasm" ] && [ -f "$dir/index.html" ] ||
  { echo "browser: no browser build in $dir (run sh tools/web.sh --no-serve)" >&2; exit 3; }
dir=$(cd "$dir" && pwd)
CACHE=${ZT_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/zentaku-web}
mods=$CACHE/browser-test
if [ ! -f "$mods/node_modules/puppeteer-core/package.json" ]; then
  echo "browser: installing puppeteer-core into $mods"
  mkdir -p "$mods"
  npm install --prefix "$mods" --no-audit --no-fund --no-save puppeteer-core@25.16.0 >"$mods.log" 2>&1 ||
    { tail -n 20 "$mods.log" >&2; echo "browser: npm install failed" >&2; exit 1; }
fi
browser=/usr/lib/chromium/chromium-headless-shell
[ -x "$browser" ] || { echo "browser: $browser is missing (run tools/setup.sh)" >&2; exit 3; }

# A free port of our own, and the server stopped however the test ends.
port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 --directory "$dir" "$port" >"$dir/server.log" 2>&1 &
server=$!
trap 'kill $server 2>/dev/null || true' EXIT INT TERM
out=$dir/browser-test
rm -rf "$out" && mkdir -p "$out"
status=0
NODE_PATH=$mods/node_modules node tests/web/browser_test.js "http://127.0.0.1:$port/" "$browser" "$out" ||
  status=$?
exit $status
