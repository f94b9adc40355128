#!/bin/sh
# Runs a test program on an X server of its own (Xvfb) with the openbox window manager, which
# leaves a window the program does not place at the top left. Exits 77 (skipped) when Xvfb,
# openbox or xdotool is missing.
set -eu
if [ "${1:-}" != --inside ]; then
    for p in xvfb-run openbox xdotool; do
        command -v $p >/dev/null || { echo "SKIP: $p is needed"; exit 77; }
    done
    exec xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" sh "$0" --inside "$@"
fi
shift
ready=$(mktemp -u)
openbox --config-file "$(dirname "$0")/openbox-rc.xml" --startup "touch $ready" >/dev/null 2>&1 &
i=0
while [ ! -e "$ready" ] && [ $((i += 1)) -lt 200 ]; do sleep 0.05; done
[ -e "$ready" ] || { echo "openbox did not start"; exit 1; }
rm -f "$ready"
QT_QPA_PLATFORM=xcb exec "$@"
