#!/bin/sh
# Opens the program on the simulated board under a virtual X server and saves the window to
# docs/screenshot.png, and at display scale 2 (a high-resolution screen) to docs/screenshot@2x.png.
set -eu
cd "$(dirname "$0")/.."
mkdir -p docs
export QT_QPA_PLATFORM=xcb

# shoot SCALE SCREEN-SIZE FILE
shoot() {
    xvfb-run -a -s "-screen 0 ${2}x24" env QT_SCALE_FACTOR="$1" sh -c '
        ./build/app/kv3124-eval --adapter=sim &
        pid=$!
        sleep 3
        import -window root /tmp/kv3124-screen.png
        kill $pid
        wait $pid 2>/dev/null || true
    '
    # Crop the screen to the centred window.
    convert /tmp/kv3124-screen.png -trim +repage "$3"
    rm -f /tmp/kv3124-screen.png
    echo "wrote $3"
}

shoot 1 1280x900 docs/screenshot.png
shoot 2 2560x1800 docs/screenshot@2x.png
