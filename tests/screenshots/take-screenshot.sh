#!/usr/bin/env bash
# Takes a screenshot of the editor window under a virtual X display, with a
# fresh data folder and settings, on the bundled milling sample, and the
# side panel opened. Needs a build in build/ (./run.sh or ./test.sh makes it).
# Usage: tests/screenshots/take-screenshot.sh [OUTPUT.png]
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-build/screenshot-editor.png}
for tool in xvfb-run import xdotool; do
  command -v "$tool" >/dev/null || missing="${missing:-} $tool"
done
if [ -n "${missing:-}" ]; then
  sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get install -y -q --no-install-recommends xvfb xauth imagemagick xdotool >/dev/null
fi
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export KOVREL_HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_CACHE_HOME="$scratch/cache"
mkdir -p "$XDG_CONFIG_HOME/Brellix"
# A roomy window for the picture (twips: 15 per pixel).
printf '[Kovrel]\nLeft=0\nTop=0\nWidth=14400\nHeight=10500\n' > "$XDG_CONFIG_HOME/Brellix/Kovrel.ini"
xvfb-run -a -s "-screen 0 1000x740x24" bash -c "
  QT_QPA_PLATFORM=xcb build/src/app/kovrel data/samples/sample-mill.nc &
  pid=\$!
  sleep 3
  # Open the side panel: click the arrow at the right edge of the editor.
  xdotool mousemove 954 360 click 1 || true
  sleep 1
  import -window root '$out'
  kill \$pid
"
echo "screenshot: $out"
