#!/usr/bin/env bash
# Builds the Debian package from the build folder into a temporary folder, checks its
# contents and runs lintian on it; skipped (77) when the Debian tools are missing.
#   paquet.sh BUILD_DIR GUI_BUILT(0/1) APP_ID [HARDENED(0/1)]
set -uo pipefail
build=$1 gui=$2 appid=$3 hardened=${4:-1}
for t in cpack dpkg-deb dpkg-shlibdeps file; do
    command -v $t >/dev/null || { echo "$t absent : essai sauté"; exit 77; }
done
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "ÉCHEC : $*" >&2; exit 1; }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$tmp" >"$tmp/cpack.log" 2>&1 || {
    cat "$tmp/cpack.log"; fail "cpack"; }
debs=("$tmp"/aubelys_*_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "aucun paquet aubelys_<version>_<arch>.deb"
deb=${debs[0]}
echo "paquet : $(basename "$deb")"

# Dependencies were computed from the programs' libraries.
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q 'libc6' <<<"$depends" && grep -q 'libstdc++6' <<<"$depends" || fail "dépendances non calculées"
if [ "$gui" = 1 ]; then grep -q 'libqt6widgets6' <<<"$depends" || fail "dépendance à Qt non calculée"; fi
# Read whole before matching (a reader leaving early would break the writer's pipe).
description=$(dpkg-deb -f "$deb" Description)
grep -q 'calculatrice hydraulique' <<<"${description%%$'\n'*}" || fail "description"

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
expected=(./usr/bin/aubelys-cli ./usr/share/aubelys/Microfich.txt \
         "./usr/share/applications/$appid.desktop" "./usr/share/metainfo/$appid.metainfo.xml" \
         ./usr/share/icons/hicolor/scalable/apps/aubelys.svg ./usr/share/man/fr/man1/aubelys.1.gz \
         ./usr/share/man/man1/aubelys-cli.1.gz ./usr/share/doc/aubelys/copyright)
[ "$gui" = 1 ] && expected+=(./usr/bin/aubelys)
for f in "${expected[@]}"; do
    grep -qxF "$f" <<<"$contents" || fail "$f manque dans le paquet"
done
# No maintainer script: the menu, icon and manual caches are refreshed by dpkg triggers.
dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -E 'preinst|postinst|prerm|postrm' && fail "script de maintenance inattendu"

# The programs carry Debian's hardening: relocations read-only (relro) and resolved at
# start (bindnow), fortified functions (a __*_chk symbol).
dpkg-deb -x "$deb" "$tmp/racine"
if [ "$hardened" = 1 ] && command -v readelf >/dev/null; then
    progs=(aubelys-cli); [ "$gui" = 1 ] && progs+=(aubelys)
    for p in "${progs[@]}"; do
        bin="$tmp/racine/usr/bin/$p"
        # Read whole before matching: under pipefail, grep -q leaving early would make
        # readelf die of a broken pipe and the check fail on a sound program.
        segments=$(readelf -lW "$bin") dynamic=$(readelf -dW "$bin") symbols=$(readelf --dyn-syms -W "$bin")
        grep -q GNU_RELRO <<<"$segments" || fail "$p : relro manque"
        grep -qE 'BIND_NOW|FLAGS_1.*NOW' <<<"$dynamic" || fail "$p : bindnow manque"
        grep -qE '__[a-z_]+_chk' <<<"$symbols" || fail "$p : fonctions non fortifiées"
    done
fi

# The packaged (stripped) program runs from the unpacked package and seeds a fresh
# per-user folder from the packaged data.
mkdir "$tmp/maison"
env -i HOME="$tmp/maison" PATH=/usr/bin:/bin "$tmp/racine/usr/bin/aubelys-cli" Formhlp >/dev/null || fail "aubelys-cli du paquet"
[ -f "$tmp/maison/.local/share/Aubelys/Microfich.txt" ] || fail "aubelys-cli du paquet : dossier personnel non garni"

command -v lintian >/dev/null || { echo "lintian absent : vérification sautée"; exit 77; }
lintian --display-info --fail-on error,warning "$deb"
rc=$?
[ $rc = 0 ] || fail "lintian signale des erreurs ou des avertissements"
