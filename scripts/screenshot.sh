#!/bin/sh
# Opens the program on the simulated board under a virtual X server and saves the window
# to docs/screenshot.png.
set -eu
cd "$(dirname "$0")/.."
out=docs/screenshot.png
mkdir -p docs
export QT_QPA_PLATFORM=xcb

xvfb-run -a -s "-screen 0 1280x900x24" sh -c '
    ./build/app/kv3124-eval --adapter=sim &
    pid=$!
    sleep 3
    import -window root /tmp/kv3124-screen.png
    kill $pid
    wait $pid 2>/dev/null || true
'
# Crop the screen to the centred window.
convert /tmp/kv3124-screen.png -trim +repage "$out"
rm -f /tmp/kv3124-screen.png
echo "wrote $out"
