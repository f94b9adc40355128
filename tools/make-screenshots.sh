#!/bin/bash
# Remakes the README screenshots from the real program on a virtual X display:
#   docs/images/wizard-step.png    the wizard on Step 3 with a company's details typed in
#   docs/images/page-preview.png   the page generated from that entry, in the viewer
# The wizard is driven with the keyboard as a person would drive it; the viewer shows the
# page the wizard wrote.
#
# Usage: tools/make-screenshots.sh            (the two README pictures)
#        tools/make-screenshots.sh all DIR    (each of the fifteen steps, and each theme's
#                                              page for the required details only and for a
#                                              full entry, as whole pages, into DIR)
# Needs Xvfb, openbox, xdotool and ImageMagick, and the program built with
# cmake --build --preset default. Display :94 is used unless QUORRA_SHOT_DISPLAY says otherwise.
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
BUILT="$ROOT/build/default/app"
MODE=${1:-readme}
OUT=${2:-$ROOT/docs/images}
export DISPLAY=${QUORRA_SHOT_DISPLAY:-:94}

[ -x "$BUILT/QuorraWizard" ] && [ -x "$BUILT/MarlixExp" ] || {
    echo "Build the program first: cmake --preset default && cmake --build --preset default" >&2
    exit 1
}
mkdir -p "$OUT"
WORK=$(mktemp -d)
PIDS=()
cleanup() {
    for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$WORK"
}
trap cleanup EXIT

# A tall screen, so that a viewer window can show a whole page at once.
Xvfb "$DISPLAY" -screen 0 1280x4000x24 -nolisten tcp >/dev/null 2>&1 &
PIDS+=($!)
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.2; done
openbox >/dev/null 2>&1 &
PIDS+=($!)
sleep 1

# Sample pictures for the full entry, drawn here.
PICS="$WORK/pictures"
mkdir -p "$PICS"
convert -size 120x60 xc:'#1d3557' -fill '#c9a227' -draw 'circle 30,30 30,8' -fill white \
    -pointsize 18 -annotate +60+37 'B&B' "$PICS/logo.png"
convert -size 300x200 gradient:'#9bc1e2-#2d5f8b' -fill '#f4e3b1' -draw 'rectangle 40,90 260,200' \
    -fill '#7a3b1e' -draw 'polygon 30,95 150,30 270,95' -fill '#2d5f8b' -draw 'rectangle 130,140 170,200' \
    "$PICS/shop.png"
convert -size 240x180 xc:'#f3efe6' -fill '#6b4226' -draw 'roundrectangle 40,60 200,160 12,12' \
    -fill '#f3efe6' -draw 'ellipse 120,70 70,12 0,360' "$PICS/bakery.png"
convert -size 160x120 xc:'#fbeee0' -fill '#c8843c' -draw 'ellipse 80,70 60,34 0,360' \
    -fill '#e6b87a' -draw 'ellipse 80,62 50,22 0,360' "$PICS/loaf.png"
convert -size 160x120 xc:'#eef4ea' -fill '#9a5a2a' -draw 'ellipse 80,60 46,46 0,360' \
    -fill '#5b3416' -draw 'ellipse 80,60 30,30 0,360' "$PICS/cake.png"

WIZARD=""
start_wizard() {
    rm -rf "$WORK/app"
    cp -r "$BUILT" "$WORK/app"
    "$WORK/app/QuorraWizard" >/dev/null 2>&1 &
    PIDS+=($!)
    WIZARD=$(xdotool search --sync --onlyvisible --name '^Quorra Development Wizard$' | head -n 1)
    xdotool windowactivate --sync "$WIZARD"
    sleep 0.5
}

stop_programs() {
    for pid in "${PIDS[@]:2}"; do kill "$pid" 2>/dev/null || true; done
    PIDS=("${PIDS[@]:0:2}")
    stop_viewers
    sleep 0.5
}

VIEWERS=()
stop_viewers() {
    for pid in "${VIEWERS[@]}"; do kill "$pid" 2>/dev/null || true; done
    VIEWERS=()
}

key() { xdotool key --clearmodifiers "$@"; sleep 0.25; }
# Types a text; a line break is typed as the Return key.
text() {
    local first=1 line
    while IFS= read -r line; do
        [ "$first" = 1 ] || key Return
        first=0
        xdotool type --delay 15 -- "$line"
    done <<<"$1"
    sleep 0.1
}
next() { key alt+n; }
shot() { sleep 0.5; import -window "$1" "$2"; }

# Fills the wizard from Step 1 on: theme (its place in the list), then all details or only
# the required ones; stops on Step 14.
enter() {
    local theme=$1 full=$2
    for _ in $(seq "$theme"); do key Down; done
    next
    text "Bread & Butter Bakery"; key Tab
    text $'12 Mill Lane\nOldbury\nOB4 7QT'; key Tab
    [ "$full" = 1 ] && text "$PICS/logo.png"
    next
    [ "$full" = 1 ] && text "01632 960123"
    key Tab
    [ "$full" = 1 ] && text "01632 960124"
    key Tab
    text "Jo Baker"; key Tab
    [ "$full" = 1 ] && text "orders@breadandbutter.example"
    next
    if [ "$full" = 1 ]; then
        key space; key Down; key Down; key Down; key Down; key space # Access and Visa
        key Tab; key space                                            # VAT: Yes
    fi
    next
    if [ "$full" = 1 ]; then
        key Tab; text "1.50"
    fi
    next
    [ "$full" = 1 ] && text $'Real bread, baked every morning from flour milled down the lane.\nDelivered to your door.'
    next
    [ "$full" = 1 ] && text "Opened in 1987 by the Baker family in the old mill house."
    next
    if [ "$full" = 1 ]; then
        text "$PICS/shop.png"; key Tab; key Tab; text "$PICS/bakery.png"
    fi
    next
    local n
    for n in 1 2 3; do
        if [ "$full" = 1 ]; then
            text "BRD$n"; key Tab
            case $n in
            1) text $'Farmhouse white loaf, 800 g\nSliced or unsliced' ;;
            2) text "Sourdough rye, 600 g" ;;
            3) text "Chocolate celebration cake, serves 12" ;;
            esac
            key Tab; text "$n.95"; key Tab
            case $n in
            1) text "$PICS/loaf.png" ;;
            3) text "$PICS/cake.png" ;;
            esac
        fi
        next
    done
    next; next
}

# Presses View Page on Step 14 and waits for the viewer's window (VIEWER).
VIEWER=""
view_page() {
    key alt+v
    VIEWER=$(xdotool search --sync --onlyvisible --name 'Page Preview$' | head -n 1)
    VIEWERS+=("$(xdotool getwindowpid "$VIEWER")")
    xdotool windowactivate --sync "$VIEWER"
}

if [ "$MODE" = all ]; then
    start_wizard
    for step in $(seq 1 15); do
        shot "$WIZARD" "$OUT/step-$(printf %02d "$step").png"
        [ "$step" -lt 15 ] && next
    done
    stop_programs
    themes=$(tr -d '\r' <"$BUILT/Theme.txt" | grep -c .)
    for ((t = 0; t < themes; t++)); do
        for full in 0 1; do
            start_wizard
            enter "$t" "$full"
            view_page
            xdotool windowmove --sync "$VIEWER" 0 0 windowsize --sync "$VIEWER" 1100 3900
            sleep 3
            stem=$(tr -d '\r' <"$BUILT/Theme.txt" | grep . | sed -n "$((t + 1))p" | cut -c1-7)
            file="$OUT/page-$stem-$([ "$full" = 1 ] && echo full || echo required).png"
            shot "$VIEWER" "$file"
            # Cut away what lies below the page's content.
            box=$(convert "$file" -format %@ info:)
            bottom=$((${box##*+} + $(echo "$box" | sed 's/^[0-9]*x\([0-9]*\)+.*/\1/')))
            convert "$file" -crop "x$((bottom + 8))+0+0" +repage "$file"
            stop_programs
        done
    done
    exit 0
fi

start_wizard
enter 0 1
key alt+b; key alt+b; key alt+b; key alt+b; key alt+b; key alt+b; key alt+b; key alt+b; key alt+b; key alt+b; key alt+b
shot "$WIZARD" "$OUT/wizard-step.png"
for _ in $(seq 11); do next; done
view_page
xdotool windowsize --sync "$VIEWER" 1024 768
sleep 3
shot "$VIEWER" "$OUT/page-preview.png"
echo "Wrote $OUT/wizard-step.png and $OUT/page-preview.png"
