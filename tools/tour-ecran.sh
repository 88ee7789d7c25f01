#!/usr/bin/env bash
# Every window of the program on a real X screen of 1366×768 with a window manager
# (openbox) and a panel that reserves its room (tint2, at the bottom): each window is
# opened as the person opens it, the screen is captured, and the listing tells, for
# each window, its frame (title bar and borders included) against the work area the
# panel leaves, its title, and whether the title fits in its title bar.
#   tools/tour-ecran.sh [BUILD] [OUT]
# (defaults build, tour-ecran). Needs Xvfb, openbox, tint2, xdotool, xprop, xwininfo
# and ImageMagick (import, convert). Writes OUT/ecran/*.png (the real screen),
# OUT/hors-ecran/*.png (the offscreen captures of the same windows) and OUT/fenetres.txt.
# Exit code 0 when every window fits, 1 when one does not (listed "DÉPASSE").
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build}")
out=$(realpath -m "${2:-tour-ecran}")
for tool in Xvfb openbox tint2 xdotool xprop xwininfo xdpyinfo import convert; do
    command -v "$tool" >/dev/null || { echo "outil manquant : $tool" >&2; exit 2; }
done
mkdir -p "$out/ecran" "$out/hors-ecran"
work=$(mktemp -d)
folder="$work/dossier"
mkdir -p "$folder"
cp -r "$here"/data/. "$folder"/

pids=()
finish() {
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    rm -rf "$work"
}
trap finish EXIT

# A display number nobody uses.
n=91
while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
export DISPLAY=":$n"
Xvfb "$DISPLAY" -screen 0 1366x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do xprop -root >/dev/null 2>&1 && break; sleep 0.1; done

# The window manager with a known title font (the title check measures with it).
mkdir -p "$work/openbox"
cat >"$work/openbox/rc.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <theme><name>Clearlooks</name><titleLayout>NLIMC</titleLayout>
    <font place="ActiveWindow"><name>DejaVu Sans</name><size>9</size><weight>bold</weight></font>
    <font place="InactiveWindow"><name>DejaVu Sans</name><size>9</size><weight>bold</weight></font>
  </theme>
  <placement><policy>Smart</policy></placement>
</openbox_config>
EOF
openbox --config-file "$work/openbox/rc.xml" >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 1
tint2 >"$work/tint2.log" 2>&1 &
pids+=($!)

# The work area: the screen less the panel's room.
area=
for _ in $(seq 50); do
    area=$(xprop -root _NET_WORKAREA 2>/dev/null | sed -n 's/.*= *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1 \2 \3 \4/p')
    if [ -n "$area" ] && [ "$(echo "$area" | cut -d' ' -f4)" -lt 768 ]; then break; fi
    sleep 0.2
done
read -r ax ay aw ah <<<"$area"
listing="$out/fenetres.txt"
{
    echo "écran 1366x768, zone de travail ${aw}x${ah}+${ax}+${ay} (panneau tint2 en bas)"
    echo "fenêtre ; titre ; cadre largeur x hauteur + x + y ; titre : besoin / place ; verdict"
} >"$listing"
status=0

# The width in pixels a title takes in the title bar's font (9 points at the screen's
# resolution, which the window manager writes with).
dpi=$(xdpyinfo 2>/dev/null | sed -n 's/.*resolution: *\([0-9]*\)x.*/\1/p')
titleWidth() {
    convert -density "${dpi:-96}" -font DejaVu-Sans-Bold -pointsize 9 label:"$1" -format '%w' info: 2>/dev/null || echo 0
}

# Lists every visible top-level window of process $1 under the name $2 and captures the screen.
survey() {
    local pid=$1 name=$2
    import -window root "$out/ecran/$name.png"
    local ids
    ids=$(xdotool search --all --pid "$pid" --onlyvisible --name '.' 2>/dev/null || true)
    for id in $ids; do
        local info x y w h ext l r t b title need room verdict
        info=$(xwininfo -id "$id")
        x=$(sed -n 's/.*Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
        y=$(sed -n 's/.*Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p' <<<"$info")
        w=$(sed -n 's/.*Width: *\([0-9]*\).*/\1/p' <<<"$info")
        h=$(sed -n 's/.*Height: *\([0-9]*\).*/\1/p' <<<"$info")
        # Qt's own helper windows (tooltips, menus) have no frame: not a window of the person's.
        ext=$(xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ' ')
        [ -n "$ext" ] || continue
        IFS=, read -r l r t b <<<"$ext"
        title=$(xdotool getwindowname "$id")
        local fx=$((x - l)) fy=$((y - t)) fw=$((w + l + r)) fh=$((h + t + b))
        need=$(($(titleWidth "$title") + 16))
        # The title bar less the icon, the three buttons and the label's own margins: a
        # 335-pixel Sagebien window with a 231-pixel title was seen cut ("Roue Sagebie…").
        room=$((fw - 110))
        verdict=ok
        if [ "$fx" -lt "$ax" ] || [ "$fy" -lt "$ay" ] || [ $((fx + fw)) -gt $((ax + aw)) ] ||
            [ $((fy + fh)) -gt $((ay + ah)) ]; then
            verdict="DÉPASSE"
            status=1
        fi
        if [ "$need" -gt "$room" ]; then
            verdict="$verdict, TITRE COUPÉ"
            status=1
        fi
        echo "$name ; $title ; ${fw}x${fh}+${fx}+${fy} ; $need / $room ; $verdict" >>"$listing"
    done
}

# Waits until process $1 shows at least $2 framed windows (at most 10 s), then lets them settle.
waitWindows() {
    local pid=$1 want=$2
    for _ in $(seq 100); do
        local count=0
        for id in $(xdotool search --all --pid "$pid" --onlyvisible --name '.' 2>/dev/null || true); do
            xprop -id "$id" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '=' && count=$((count + 1))
        done
        [ "$count" -ge "$want" ] && break
        sleep 0.1
    done
    sleep 1
}

stop() {
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
}

# The offscreen captures first: they name every window of the program.
QT_QPA_PLATFORM=offscreen "$build/aubelys" --capture "$out/hors-ecran" --dossier "$folder" \
    >"$work/capture.log" 2>&1 || true
names=$(sed -n 's|^écrit : .*/\([^/]*\)\.png$|\1|p' "$work/capture.log")

# The start: the splash, a click, the main window, its first menu opened with Alt.
"$build/aubelys" --dossier "$folder" >"$work/depart.log" 2>&1 &
pid=$!
waitWindows "$pid" 1
survey "$pid" "Frmdepart"
splash=$(xdotool search --pid "$pid" --onlyvisible --name '.' | head -n 1)
xdotool mousemove --window "$splash" 40 40 click 1
sleep 1.5
survey "$pid" "Formmain"
main=$(xdotool search --pid "$pid" --onlyvisible --name '.' | head -n 1)
xdotool windowactivate --sync "$main" 2>/dev/null || true
xdotool key --clearmodifiers alt+f
sleep 0.7
import -window root "$out/ecran/Formmain-menu.png"
xdotool key Escape
stop "$pid"

# Every window, opened at the start as its menu entry opens it, over the main window.
for name in $names; do
    case $name in Frmdepart | Formmain) continue ;; esac
    "$build/aubelys" --dossier "$folder" "$name" >"$work/$name.log" 2>&1 &
    pid=$!
    waitWindows "$pid" 2
    survey "$pid" "$name"
    stop "$pid"
done

cat "$listing"
exit "$status"
