#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR (prefix /usr), then runs the installed
# aubelys-cli from there — a moved installation — with a fresh HOME:
#   installation.sh BUILD_DIR DATA_SOURCE "ICON_SIZES" GUI_BUILT(0/1) APP_ID
set -euo pipefail
build=$1 data=$2 sizes=$3 gui=$4 appid=$5
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "ÉCHEC : $*" >&2; exit 1; }

DESTDIR="$tmp/racine" cmake --install "$build" --prefix /usr >"$tmp/install.log" || {
    cat "$tmp/install.log"; fail "cmake --install"; }
usr="$tmp/racine/usr"

# Every file where it belongs.
expected=(bin/aubelys-cli
          "share/applications/$appid.desktop"
          "share/metainfo/$appid.metainfo.xml"
          share/icons/hicolor/scalable/apps/aubelys.svg
          share/man/fr/man1/aubelys.1.gz share/man/fr/man1/aubelys-cli.1.gz
          share/man/man1/aubelys.1.gz share/man/man1/aubelys-cli.1.gz
          share/doc/aubelys/copyright share/doc/aubelys/changelog.gz
          share/lintian/overrides/aubelys)
[ "$gui" = 1 ] && expected+=(bin/aubelys)
for s in $sizes; do expected+=("share/icons/hicolor/${s}x${s}/apps/aubelys.png"); done
for f in "${expected[@]}"; do [ -f "$usr/$f" ] || fail "$f manque"; done
for f in "$usr"/bin/*; do [ -x "$f" ] || fail "$f n'est pas exécutable"; done
for s in $sizes; do
    # PNG header: width and height, big-endian, at bytes 16 and 20.
    dims=$(od -An -tu1 -j16 -N8 "$usr/share/icons/hicolor/${s}x${s}/apps/aubelys.png" | tr -s ' ')
    want=" 0 0 $((s / 256)) $((s % 256)) 0 0 $((s / 256)) $((s % 256))"
    [ "$dims" = "$want" ] || fail "icône ${s}x${s} de mauvaise taille :$dims"
done
# The delivered data is the whole data folder, byte for byte.
diff -r "$data" "$usr/share/aubelys" || fail "share/aubelys diffère de data/"
# Read whole before matching: under pipefail, grep -q leaving early would break the pipe.
manpage=$(zcat "$usr/share/man/fr/man1/aubelys-cli.1.gz") || fail "page de manuel illisible"
grep -q '^\.TH AUBELYS\\-CLI 1' <<<"$manpage" || fail "page de manuel illisible"

# A file only the installed data holds shows that the installed copy is the one seeded.
printf 'repère\r\n' >"$usr/share/aubelys/Repere-installation.txt"
find "$tmp/racine" | sort >"$tmp/avant"

home="$tmp/maison"
mkdir -p "$home"
run() { env -i HOME="$home" PATH=/usr/bin:/bin LANG=C.UTF-8 "$@"; }

# The gate of the general page: 2 m wide, 2 m of head, raised 0.5 m.
out=$(cd "$tmp" && run "$usr/bin/aubelys-cli" Formmain "Options1/Vanne" "zonetxt(0)=2" "zonetxt(1)=2" \
      "zonetxt(2)=0.5" "CALCUL ") || fail "aubelys-cli installé : code $?"
grep -qF 'zoneresu = [3.223]' <<<"$out" || { echo "$out"; fail "le débit sous la vanne n'est pas 3.223 m3/s"; }

folder="$home/.local/share/Aubelys"
for f in Microfich.txt Repere-installation.txt aide/index.htm Rouehaut/H0Dalmor.txt Bankiwheel/Thèse.txt; do
    [ -f "$folder/$f" ] || fail "dossier personnel non garni : $f manque"
done

# --dossier still chooses the program folder.
run "$usr/bin/aubelys-cli" --dossier "$tmp/projets" Formhlp >/dev/null || fail "--dossier"
[ -f "$tmp/projets/Microfich.txt" ] || fail "--dossier : dossier non garni"

if [ "$gui" = 1 ]; then
    aide=$(run QT_QPA_PLATFORM=offscreen "$usr/bin/aubelys" --aide) || fail "aubelys --aide"
    grep -q -- '--dossier' <<<"$aide" || fail "aubelys --aide"
fi

# Nothing was written beside the installed programs or into their data.
find "$tmp/racine" | sort >"$tmp/apres"
diff "$tmp/avant" "$tmp/apres" || fail "le programme installé a écrit dans son installation"
echo "installation : ${#expected[@]} fichiers en place, dossier personnel garni, vanne calculée"
