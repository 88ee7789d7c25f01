#!/bin/sh
# Draws the five runner pictures shown by the turbine window (schematic views, 480 x 360):
#   Pelton03.jpg  Pelton wheel seen from the side, its buckets and the jet of one injector
#   franlent.jpg  slow Francis runner, half sections: inlet diameter larger than the outlet
#   framoyen.jpg  medium Francis runner: inlet and outlet diameters close
#   franvite.jpg  fast Francis runner: outlet wider than the inlet, tall distributor
#   kaplturb.jpg  propeller / Kaplan runner: hub and blades seen along the axis, and in section
# Usage: tools/draw-runners.sh [output folder]   (default: data/ beside this script's folder)
# Needs ImageMagick 6 or 7 ("convert" or "magick") and awk.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-"$here/../data"}
mkdir -p "$out"
if command -v magick >/dev/null 2>&1; then im="magick"; else im="convert"; fi

font=DejaVu-Sans
bg="#F4F1E8"
steel="#5A6470"
water="#2E7BD6"
blade="#B8642A"
ink="#1A1A1A"

# Common frame: background, thin border, caption at the bottom.
canvas() {  # $1 caption
    echo "-size 480x360 'xc:$bg' -fill none -stroke '#9A9A9A' -strokewidth 1 -draw 'rectangle 2,2 477,357'" \
         "-font $font -pointsize 20 -fill '$ink' -stroke none -annotate +16+344 \"$1\""
}

# ----------------------------------------------------------------- Pelton wheel
pelton_draw=$(awk -v cx=250 -v cy=165 'BEGIN {
    pi = 3.141593
    # Buckets: a pair of cups on the pitch circle, opening against the rotation.
    n = 18
    for (i = 0; i < n; i++) {
        a = 2 * pi * i / n
        r = 118
        x = cx + r * cos(a); y = cy + r * sin(a)
        deg = a * 180 / pi
        printf "-fill \"#C9CED6\" -stroke \"#3A4048\" -strokewidth 2 -draw \"translate %.1f,%.1f rotate %.1f ellipse 0,0 22,12 0,360\" ", x, y, deg + 90
        printf "-stroke \"#3A4048\" -strokewidth 1 -draw \"translate %.1f,%.1f rotate %.1f line 0,-11 0,11\" ", x, y, deg + 90
    }
}')
pelton_jet=$(awk -v cx=250 -v cy=165 'BEGIN {
    # The jet runs tangent to the pitch circle at the bottom of the wheel, from the left.
    y = cy + 118
    printf "-fill \"%s\" -stroke none -draw \"rectangle 40,%d 250,%d\" ", "#2E7BD6", y - 6, y + 6
    printf "-fill \"#5A6470\" -stroke \"#1A1A1A\" -strokewidth 2 -draw \"polygon 8,%d 60,%d 60,%d 8,%d\" ", y - 22, y - 10, y + 10, y + 22
    printf "-font DejaVu-Sans -pointsize 14 -fill \"#1A1A1A\" -stroke none -annotate +16+%d \"injecteur\" ", y - 40
    printf "-annotate +120+%d \"jet  c1\" ", y + 28
}')
eval "$im $(canvas 'Roue Pelton') \
    -fill '#D9DDE3' -stroke '$steel' -strokewidth 3 -draw 'circle 250,165 250,68' \
    -fill '#8D96A2' -stroke '$ink' -strokewidth 2 -draw 'circle 250,165 250,147' \
    -fill '$ink' -stroke none -draw 'circle 250,165 250,158' \
    $pelton_draw $pelton_jet \
    -fill none -stroke '$ink' -strokewidth 2 -draw \"path 'M 402,150 A 150,150 0 0 0 382,80'\" \
    -fill '$ink' -stroke none -draw 'polygon 378,72 374,90 390,84' \
    -font $font -pointsize 14 -fill '$ink' -stroke none -annotate +392+66 'rotation' \
    -quality 90 '$out/Pelton03.jpg'"

# ----------------------------------------------------------------- Francis runners
# Meridional half sections on both sides of the shaft: distributor (guide vanes) at the
# inlet diameter D1, crown above, band below, blades between them, outlet diameter D2.
#   $1 file  $2 caption  $3 D1/2 (px)  $4 D2/2 (px)  $5 distributor height b0 (px)
francis() {
    file=$1; caption=$2; r1=$3; r2=$4; b0=$5
    cx=240; top=70
    bottom=$((top + b0))            # lower edge of the distributor
    outlet=$((bottom + 95))         # outlet plane
    draw=$(awk -v cx=$cx -v top=$top -v b0=$b0 -v r1=$r1 -v r2=$r2 -v bottom=$bottom -v outlet=$outlet \
               -v steel="$steel" -v water="$water" -v blade="$blade" -v ink="$ink" 'BEGIN {
        for (side = -1; side <= 1; side += 2) {
            x1 = cx + side * r1; x2 = cx + side * r2; hub = cx + side * 16
            # Water entering radially through the distributor.
            printf "-fill \"%s\" -stroke none -draw \"polygon %d,%d %d,%d %d,%d %d,%d\" ", water, x1 + side * 40, top, x1 + side * 12, top, x1 + side * 12, bottom, x1 + side * 40, bottom
            # Guide vanes.
            printf "-fill \"%s\" -stroke \"%s\" -strokewidth 1 -draw \"rectangle %d,%d %d,%d\" ", steel, ink, (side < 0 ? x1 - 30 : x1 + 18), top, (side < 0 ? x1 - 18 : x1 + 30), bottom
            # Blade (runner vane) between crown and band: inlet edge at D1, outlet edge at D2.
            printf "-fill \"%s\" -stroke \"%s\" -strokewidth 2 -draw \"path '\''M %d,%d L %d,%d Q %d,%d %d,%d L %d,%d Q %d,%d %d,%d Z'\''\" ", blade, ink, x1, top, x1, bottom, x1, outlet - 30, x2, outlet, hub + side * 6, outlet, hub + side * 6, top + 10, x1, top
            # Crown (top shroud); the band follows the outer edge of the blades.
            printf "-fill none -stroke \"%s\" -strokewidth 6 -draw \"path '\''M %d,%d Q %d,%d %d,%d'\''\" ", steel, hub, top - 6, (x1 + hub) / 2, top - 6, x1 + side * 4, top - 4
            # Draft-tube wall below the outlet.
            printf "-stroke \"%s\" -strokewidth 3 -draw \"line %d,%d %d,%d\" ", steel, x2, outlet, x2 + side * 14, 322
            # Flow arrows: in radially, out axially.
            printf "-stroke \"%s\" -strokewidth 3 -draw \"line %d,%d %d,%d\" ", ink, x1 + side * 70, (top + bottom) / 2, x1 + side * 44, (top + bottom) / 2
            printf "-fill \"%s\" -stroke none -draw \"polygon %d,%d %d,%d %d,%d\" ", ink, x1 + side * 40, (top + bottom) / 2, x1 + side * 50, (top + bottom) / 2 - 6, x1 + side * 50, (top + bottom) / 2 + 6
            printf "-stroke \"%s\" -strokewidth 3 -draw \"line %d,%d %d,%d\" ", ink, (x2 + hub) / 2, outlet + 12, (x2 + hub) / 2, outlet + 42
            printf "-fill \"%s\" -stroke none -draw \"polygon %d,%d %d,%d %d,%d\" ", ink, (x2 + hub) / 2, outlet + 50, (x2 + hub) / 2 - 6, outlet + 40, (x2 + hub) / 2 + 6, outlet + 40
        }
        # Shaft and hub.
        printf "-fill \"%s\" -stroke \"%s\" -strokewidth 2 -draw \"rectangle %d,%d %d,%d\" ", "#8D96A2", ink, cx - 12, 14, cx + 12, top - 8
        printf "-fill \"%s\" -stroke \"%s\" -strokewidth 2 -draw \"path '\''M %d,%d L %d,%d Q %d,%d %d,%d Z'\''\" ", "#8D96A2", ink, cx - 22, top - 8, cx + 22, top - 8, cx, outlet + 10, cx - 22, top - 8
        # Dimension lines D1, D2 and b0.
        printf "-fill none -stroke \"%s\" -strokewidth 1 -draw \"line %d,%d %d,%d\" ", ink, cx - r1, 40, cx + r1, 40
        printf "-draw \"line %d,%d %d,%d\" -draw \"line %d,%d %d,%d\" ", cx - r1, 34, cx - r1, 46, cx + r1, 34, cx + r1, 46
        printf "-draw \"line %d,%d %d,%d\" ", cx - r2, outlet + 60, cx + r2, outlet + 60
        printf "-draw \"line %d,%d %d,%d\" -draw \"line %d,%d %d,%d\" ", cx - r2, outlet + 54, cx - r2, outlet + 66, cx + r2, outlet + 54, cx + r2, outlet + 66
        printf "-font DejaVu-Sans -pointsize 15 -fill \"%s\" -stroke none -annotate +%d+%d \"D1\" ", ink, cx + 26, 34
        printf "-annotate +%d+%d \"D2\" ", cx + 26, outlet + 56
        printf "-annotate +%d+%d \"b0\" ", cx + r1 + 14, top - 8
    }')
    eval "$im $(canvas "$caption") $draw -quality 90 '$out/$file'"
}

francis franlent.jpg "Francis lente" 150 92 28
francis framoyen.jpg "Francis moyenne" 128 112 46
francis franvite.jpg "Francis rapide" 104 128 70

# ----------------------------------------------------------------- propeller / Kaplan
kaplan_draw=$(awk -v cx=150 -v cy=165 -v ink="$ink" -v blade="$blade" 'BEGIN {
    pi = 3.141593
    # Four blades seen along the axis, each a swept sector from the hub to the band.
    for (i = 0; i < 4; i++) {
        a = 2 * pi * i / 4
        a1 = a - 0.42; a2 = a + 0.30
        printf "-fill \"%s\" -stroke \"%s\" -strokewidth 2 -draw \"path '\''M %.1f,%.1f L %.1f,%.1f A 112,112 0 0 1 %.1f,%.1f L %.1f,%.1f Z'\''\" ", blade, ink,
            cx + 34 * cos(a1 + 0.15), cy + 34 * sin(a1 + 0.15), cx + 112 * cos(a1), cy + 112 * sin(a1),
            cx + 112 * cos(a2), cy + 112 * sin(a2), cx + 34 * cos(a2 - 0.1), cy + 34 * sin(a2 - 0.1)
    }
}')
eval "$im $(canvas 'Hélice ou Kaplan') \
    -fill '#DCE9F7' -stroke '$steel' -strokewidth 4 -draw 'circle 150,165 150,47' \
    $kaplan_draw \
    -fill '#8D96A2' -stroke '$ink' -strokewidth 2 -draw 'circle 150,165 150,129' \
    -fill '$ink' -stroke none -draw 'circle 150,165 150,157' \
    -fill none -stroke '$steel' -strokewidth 4 -draw 'line 320,40 320,300' -draw 'line 450,40 450,300' \
    -fill '#2E7BD6' -stroke none -draw 'rectangle 322,40 448,300' \
    -fill '#B9BFC7' -stroke '$ink' -strokewidth 1 \
    -draw 'rectangle 330,60 340,92' -draw 'rectangle 350,60 360,92' -draw 'rectangle 410,60 420,92' -draw 'rectangle 430,60 440,92' \
    -fill '#8D96A2' -stroke '$ink' -strokewidth 2 -draw 'rectangle 377,20 393,150' \
    -draw \"path 'M 369,140 L 401,140 Q 401,200 385,215 Q 369,200 369,140 Z'\" \
    -fill '$blade' -stroke '$ink' -strokewidth 2 \
    -draw 'polygon 369,165 324,150 324,170 369,182' -draw 'polygon 401,165 446,150 446,170 401,182' \
    -fill none -stroke '$ink' -strokewidth 3 -draw 'line 385,232 385,282' \
    -fill '$ink' -stroke none -draw 'polygon 385,292 378,278 392,278' \
    -font $font -pointsize 14 -fill '$ink' -stroke none -annotate +282+110 'aubes' -annotate +282+126 'directrices' \
    -annotate +40+36 'vue selon l'\\''axe' -annotate +340+18 'coupe' \
    -quality 90 '$out/kaplturb.jpg'"

echo "images écrites dans $out"
