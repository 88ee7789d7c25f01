#!/usr/bin/env bash
# The overshot study of 10 000 points (the lift of the gate from 2.5 to 4 cm, power and
# efficiency followed), run by the native command line and by its WebAssembly build under
# node: the best of RUNS wall-clock times of each, their ratio, and whether both tables
# are the same bytes. A measurement, not a test: it asserts no time.
#   tools/web-speed.sh [NATIVE_CLI] [NODE_CLI] [RUNS]
# (defaults build/aubelys-cli, build-web/aubelys-cli-node, 3)
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
native=$(realpath "${1:-$here/build/aubelys-cli}")
node=$(realpath "${2:-$here/build-web/aubelys-cli-node}")
runs=${3:-3}
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp -r "$here"/data/. "$folder"/
study=(--etude "Valbox(4)=2.5:4:10000" --suivre "Resubox(3)" --suivre "Resubox(8)"
       Formrouehaut "List1=H0Dalmor.txt" Calcul)

# best CLI OUT: the shortest of $runs runs, in milliseconds (the table written to OUT).
best() {
    local cli=$1 out=$2 shortest=
    for ((i = 0; i < runs; ++i)); do
        local start end
        start=$(date +%s%N)
        "$cli" --dossier "$folder" "${study[@]}" >"$out"
        end=$(date +%s%N)
        local ms=$(((end - start) / 1000000))
        if [ -z "$shortest" ] || [ "$ms" -lt "$shortest" ]; then shortest=$ms; fi
    done
    echo "$shortest"
}

native_ms=$(best "$native" "$folder/native.csv")
node_ms=$(best "$node" "$folder/node.csv")
rows=$(($(wc -l <"$folder/native.csv") - 1))
echo "étude de la roue en dessus, $rows points (meilleur de $runs essais)"
echo "  natif : $native_ms ms"
echo "  node  : $node_ms ms"
awk -v a="$node_ms" -v b="$native_ms" 'BEGIN { printf "  rapport node / natif : %.2f\n", (b > 0 ? a / b : 0) }'
if cmp -s "$folder/native.csv" "$folder/node.csv"; then
    echo "  tableaux identiques octet pour octet"
else
    echo "  tableaux différents :"
    diff "$folder/native.csv" "$folder/node.csv" | head -5
fi
