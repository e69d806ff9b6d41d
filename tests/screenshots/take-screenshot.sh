#!/usr/bin/env bash
# Takes screenshots under a virtual X display, with a fresh data folder and
# settings: the editor window on the bundled milling sample with the side
# panel opened, and the graphic view of a plate program. Needs a build in
# build/ (./run.sh or ./test.sh makes it).
# Usage: tests/screenshots/take-screenshot.sh [EDITOR.png [VIEW.png]]
set -euo pipefail
cd "$(dirname "$0")/../.."
out=${1:-build/screenshot-editor.png}
view=${2:-build/screenshot-view.png}
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
  QT_QPA_PLATFORM=xcb build/src/app/kovrel tests/data/gcode/plate-arcs.nc &
  pid=\$!
  sleep 3
  # グラフィック(&G) in the menu bar, then the pointer over the drawing.
  xdotool mousemove 270 8 click 1
  sleep 2
  xdotool mousemove 500 400
  sleep 1
  import -window root '$view'
  kill \$pid
"
echo "screenshots: $out $view"
