#!/bin/sh
# Runs a test program on an X server of its own (Xvfb) with the openbox window manager, which
# leaves a window the program does not place at the top left. Exits 77 (skipped) when Xvfb,
# openbox, xdotool or xprop is missing.
set -eu
if [ "${1:-}" != --inside ]; then
    for p in xvfb-run openbox xdotool xprop; do
        command -v $p >/dev/null || { echo "SKIP: $p is needed"; exit 77; }
    done
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh "$0" --inside "$@"
fi
ready=$(mktemp -u)
openbox --config-file "$(dirname "$0")/openbox-rc.xml" --startup "touch $ready" >/dev/null 2>&1 &
for i in $(seq 200); do [ -e "$ready" ] && break || sleep 0.05; done
rm "$ready" # fails when openbox did not start
shift
QT_QPA_PLATFORM=xcb exec "$@"
