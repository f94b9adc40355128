#!/bin/bash
# Remakes the program's artwork with ImageMagick's drawing commands:
#   src/app/art/logo.png      160 x 230  splash logo and the picture at the left of the main window
#   src/app/art/title.png     199 x 65   title picture of the splash window
#   src/app/art/icon-N.png    N x N      window icon (16, 32, 48, 64, 128, 256)
#   data/images/*.gif         60 x 38    card pictures used by the generated page
# Everything is drawn here from shapes and the DejaVu fonts; nothing is taken from elsewhere.
#
# Usage: tools/make-artwork.sh            (run from anywhere inside the checkout)
#        tools/make-artwork.sh art        (program artwork only)
#        tools/make-artwork.sh cards      (card pictures only)
set -eu

ROOT=$(cd "$(dirname "$0")/.." && pwd)
ART="$ROOT/src/app/art"
CARDS="$ROOT/data/images"
FONTDIR=/usr/share/fonts/truetype/dejavu
SANS="$FONTDIR/DejaVuSans.ttf"
SANSB="$FONTDIR/DejaVuSans-Bold.ttf"
CONDB="$FONTDIR/DejaVuSansCondensed-Bold.ttf"
SERIFB="$FONTDIR/DejaVuSerif-Bold.ttf"
WHAT=${1:-all}

# Reproducible PNG files: no time stamps or other ancillary chunks.
PNGOPTS="-strip -define png:exclude-chunks=date,time"

mkdir -p "$ART" "$CARDS"

# --------------------------------------------------------------------------
# Colours shared by the program artwork
NIGHT='#10263f'     # deep blue of the evening sky
DUSK='#3d7f98'      # lighter blue-green near the horizon
GOLD='#f2c14e'      # warm accent
CORAL='#d8583f'     # awning stripes
CREAM='#f6efe0'     # light stripes and highlights
WALL='#ecdcc0'      # shop front
SLATE='#26384b'     # door, cornice, outlines
GLOW='#ffd98a'      # lit window
GRASS='#2f6b55'
SAND='#e6d4a8'

make_logo() {
    # A small shop at dusk with a path leading to its open door, and the name above.
    # The awning: eight stripes that widen downwards, each ending in a rounded scallop.
    local awning=() i xt0 xt1 xb0 xb1 cx col
    for i in 0 1 2 3 4 5 6 7; do
        xt0=$(( 300 + i * 125 )); xt1=$(( xt0 + 125 ))     # tenths of a pixel
        xb0=$(( 260 + i * 135 )); xb1=$(( xb0 + 135 ))
        cx=$(( (xb0 + xb1) / 2 ))
        if [ $(( i % 2 )) -eq 0 ]; then col="$CORAL"; else col='#fffaf0'; fi
        awning+=( -fill "$col"
                  -draw "polygon $(( xt0 / 10 )).$(( xt0 % 10 )),117 $(( xt1 / 10 )).$(( xt1 % 10 )),117 $(( xb1 / 10 )).$(( xb1 % 10 )),132 $(( xb0 / 10 )).$(( xb0 % 10 )),132"
                  -draw "ellipse $(( cx / 10 )).$(( cx % 10 )),132 6.75,4.5 0,180" )
    done
    convert -size 160x230 "gradient:$NIGHT-$DUSK" \
        -fill '#ffffff' -stroke none \
        -draw "circle 22,70 23,70" -draw "circle 139,108 140,108" -draw "circle 104,72 105,72" \
        -draw "circle 34,92 35,92"  -draw "circle 146,100 147,100" -draw "circle 12,118 13,118" \
        -fill '#ffffff14' -draw "circle 128,84 128,68" \
        -fill '#ffffff1c' -draw "circle 128,84 128,73" \
        -fill '#f7e6b0' -draw "circle 128,84 128,77" \
        -fill '#2b5f6e' -draw "ellipse 30,172 70,34 180,360" \
        -fill '#25536a' -draw "ellipse 132,176 64,30 180,360" \
        -fill "$GRASS" -draw "rectangle 0,176 159,229" \
        -fill '#397c62' -draw "rectangle 0,176 159,180" \
        -fill "$SAND" -draw "polygon 84,184 110,184 148,229 50,229" \
        -fill '#d2bd8a' -draw "line 97,186 99,229" \
        -fill "$WALL" -draw "rectangle 34,116 126,184" \
        -fill "$SLATE" -draw "rectangle 29,106 131,116" \
        -fill "$SLATE" -draw "rectangle 26,103 134,106" \
        -fill "$GOLD" -draw "rectangle 52,108 108,114" \
        -fill "$SLATE" -font "$CONDB" -pointsize 7 -gravity north -annotate +0+107.5 'OPEN' -gravity northwest \
        "${awning[@]}" \
        -fill '#00000030' -draw "rectangle 34,137 126,140" \
        -fill "$SLATE" -draw "rectangle 40,145 76,172" \
        -fill "$GLOW" -draw "rectangle 42,147 74,170" \
        -fill "$SLATE" -draw "rectangle 57,147 59,170" -draw "rectangle 42,157 74,158" \
        -fill '#f2b45a' -draw "rectangle 44,165 55,170" -draw "rectangle 61,163 72,170" \
        -fill "$SLATE" -draw "rectangle 38,172 78,175" \
        -fill "$SLATE" -draw "rectangle 86,143 114,184" \
        -fill "$GLOW" -draw "rectangle 89,146 111,184" \
        -fill '#f4c46c' -draw "polygon 89,146 100,150 100,184 89,184" \
        -fill "$SLATE" -draw "circle 97,166 98.4,166" \
        -fill '#6b4a2e' -draw "rectangle 118,170 124,184" \
        -fill '#4e9a6c' -draw "circle 121,166 121,159" \
        -fill '#5fb07c' -draw "circle 119,164 119,160" \
        -fill '#0b1c2f' -draw "roundrectangle 8,10 151,60 6,6" \
        -fill none -stroke "$GOLD" -strokewidth 1 -draw "roundrectangle 8.5,10.5 151.5,60.5 6,6" -stroke none \
        -fill '#ffffff' -font "$SANSB" -pointsize 27 -gravity north -annotate +0+14 'Quorra' \
        -fill "$GOLD" -font "$SANS" -pointsize 8.5 -annotate +0+46 'YOUR SHOP ON THE WEB' \
        -gravity northwest \
        -fill none -stroke '#0b1c2f' -strokewidth 2 -draw "rectangle 0,0 159,229" \
        $PNGOPTS PNG24:"$ART/logo.png"
}

make_title() {
    # The two title lines on a dark band with a gold rule and a small rising mark.
    convert -size 199x65 "gradient:#0b1c2f-$NIGHT" \
        -fill '#1d4566' -draw "polygon 150,0 199,0 199,65 118,65" \
        -fill '#235777' -draw "polygon 172,0 199,0 199,65 150,65" \
        -fill "$GOLD" -draw "polygon 177,14 181,28 195,32 181,36 177,50 173,36 159,32 173,28" \
        -fill "$CREAM" -draw "polygon 162,8 163.5,13 168.5,14.5 163.5,16 162,21 160.5,16 155.5,14.5 160.5,13" \
        -draw "polygon 191,47 192,50 195,51 192,52 191,55 190,52 187,51 190,50" \
        -fill '#ffffff' -font "$SANSB" -pointsize 28 -annotate +8+32 'Quorra' \
        -fill "$GOLD" -draw "rectangle 9,39 146,40" \
        -fill "$CREAM" -font "$CONDB" -pointsize 12.5 -annotate +8+56 'Development Wizard' \
        $PNGOPTS PNG24:"$ART/title.png"
}

make_icon() {
    # A rounded blue tile with a striped awning and a bold Q; the awning is left out at 16 pixels.
    local n=$1
    local s=$(( n * 4 ))           # drawn four times larger, then scaled down for clean edges
    local r=$(( s / 6 )) e=$(( s - 1 )) m=$(( s / 32 ))
    local stripes=() qsize qoff
    if [ "$n" -ge 32 ]; then
        local aw=$(( s * 30 / 100 )) w=$(( s / 5 )) i x0 x1 cx col
        for i in 0 1 2 3 4; do
            x0=$(( i * w )); x1=$(( x0 + w )); cx=$(( x0 + w / 2 ))
            if [ $(( i % 2 )) -eq 0 ]; then col="$CORAL"; else col="$CREAM"; fi
            stripes+=( -fill "$col" -draw "rectangle $x0,0 $x1,$aw" -draw "circle $cx,$aw $cx,$(( aw + w / 2 ))" )
        done
        qsize=$(( s * 58 / 100 )); qoff=$(( s * 18 / 100 ))
    else
        qsize=$(( s * 86 / 100 )); qoff=$(( - s * 3 / 100 ))
    fi
    convert -size ${s}x${s} "gradient:#2a6f95-$NIGHT" \
        \( -size ${s}x${s} xc:none "${stripes[@]}" \) -compose over -composite \
        \( -size ${s}x${s} xc:black -fill white -draw "roundrectangle $m,$m $(( e - m )),$(( e - m )) $r,$r" \) \
        -alpha off -compose copy_opacity -composite -compose over \
        -fill "$GOLD" -font "$SANSB" -pointsize $qsize -gravity center -annotate +0$( [ $qoff -ge 0 ] && echo + )$qoff Q \
        -resize ${n}x${n} $PNGOPTS PNG32:"$ART/icon-$n.png"
}

# --------------------------------------------------------------------------
# Card pictures: a small rounded card in two colours of its own, a chip mark and the name.
# The colours are this program's choice and belong to no real card scheme.
make_card() {
    file=$1; name=$2; top=$3; bottom=$4; ink=$5; band=$6; size=$7
    convert -size 240x152 "gradient:$top-$bottom" \
        \( -size 240x152 xc:black -fill white -draw "roundrectangle 2,2 237,149 18,18" \) \
        -alpha off -compose copy_opacity -composite -compose over \
        -fill "$band" -draw "polygon 0,104 240,64 240,96 0,136" \
        -fill '#e8c766' -stroke '#9c7d2c' -strokewidth 3 -draw "roundrectangle 24,26 70,60 7,7" \
        -draw "line 24,43 70,43" -draw "line 47,26 47,60" -stroke none \
        -fill "$ink" -font "$CONDB" -pointsize "$size" -gravity southeast -annotate +18+12 "$name" \
        -fill none -stroke '#00000055' -strokewidth 3 -draw "roundrectangle 2,2 237,149 18,18" \
        -resize 60x38 -channel A -threshold 50% +channel \
        +dither -colors 63 "$CARDS/$file"
}

if [ "$WHAT" = all ] || [ "$WHAT" = art ]; then
    make_logo
    make_title
    for n in 16 32 48 64 128 256; do make_icon $n; done
fi

if [ "$WHAT" = all ] || [ "$WHAT" = cards ]; then
    make_card access.gif Access '#3b8b5a' '#1d5236' '#ffffff' '#ffffff30' 50
    make_card amex.gif   Amex   '#7a8a99' '#3e4d5c' '#fdf3c8' '#ffffff28' 56
    make_card delta.gif  Delta  '#e08a2e' '#a4501a' '#ffffff' '#00000022' 56
    make_card switch.gif Switch '#7b4aa8' '#432766' '#f6e6ff' '#ffffff26' 50
    make_card visa.gif   Visa   '#27a0a8' '#136168' '#ffffff' '#ffffff2a' 60
fi
