#!/usr/bin/env bash
# Takes screenshots under a virtual X display, with a fresh data folder and
# settings: the editor on the bundled milling sample with the side panel
# opened, the Japanese open dialog, the graphic view of every bundled sample
# (the drill sample formatted into hole data first), and the view of a
# surfacing program of a million moves. Needs a build in build/ (./run.sh or
# ./test.sh makes it).
# Usage: tests/screenshots/take-screenshot.sh [FOLDER]   (default: build/screenshots)
set -euo pipefail
cd "$(dirname "$0")/../.."
folder=${1:-build/screenshots}
mkdir -p "$folder"
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
cli=build/src/app/kovrel-cli
$cli holes-format --unit X1.23 data/samples/drill-sample.nc -o "$scratch/drill-sample-holes.nc"
python3 bench/make_inputs.py "$scratch/inputs" surfacing.nc

xvfb-run -a -s "-screen 0 1000x740x24" bash -c "
  set -e
  shot() { sleep \$1; import -window root \"$folder/\$2\"; }
  start() { QT_QPA_PLATFORM=xcb build/src/app/kovrel \"\$1\" & pid=\$!; sleep 3; }
  start data/samples/sample-mill.nc
  xdotool mousemove 954 360 click 1 || true   # the side panel's arrow
  shot 1 editor.png
  xdotool key ctrl+o
  shot 2 open-dialog.png
  xdotool key Escape
  kill \$pid
  for sample in data/samples/sample-mill.nc data/samples/sample-holes.nc '$scratch/drill-sample-holes.nc'; do
    start \"\$sample\"
    xdotool mousemove 270 8 click 1             # グラフィック(&G) in the menu bar
    sleep 2
    xdotool mousemove 500 400
    shot 1 \"view-\$(basename \"\$sample\" .nc).png\"
    kill \$pid
  done
  start '$scratch/inputs/surfacing.nc'
  xdotool mousemove 270 8 click 1
  sleep 8
  xdotool mousemove 500 400
  shot 1 view-million-moves.png
  kill \$pid
"
echo "screenshots in $folder"
