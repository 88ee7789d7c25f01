#!/usr/bin/env bash
# Command-line transcripts: each tests/cli/*.txt holds commands ("$ aubelys-cli ...")
# each followed by the text it prints (standard output, then the error output, then
# "[statut N]" when the exit status is not 0). The commands of one file run in order
# in one fresh program folder seeded with the delivered data, so that a design saved
# by one command is there for the next. The folder's path is shown as <dossier>; the
# help-text file is emptied, so the explanation boxes stay blank.
#
#   transcripts.sh CLI DATA            checks every transcript, shows the differences
#   transcripts.sh CLI DATA --refresh  rewrites them from what the program prints now
# (after an intended change: run the second form, then read the diff before committing)
set -uo pipefail
cli=$(realpath "$1")
data=$(realpath "$2")
refresh=${3:-}
here=$(cd "$(dirname "$0")" && pwd)
failed=0
for transcript in "$here"/*.txt; do
    folder=$(mktemp -d)
    cp -r "$data"/. "$folder"/
    # The explanation texts change on their own: an empty help-text file, every record blank.
    : >"$folder"/Microfich.txt
    actual=$(mktemp)
    while IFS= read -r line || [ -n "$line" ]; do
        [[ "$line" == '$ '* ]] || continue
        printf '%s\n' "$line" >>"$actual"
        eval "set -- ${line#\$ }"
        shift  # the program's name
        out=$(cd "$folder" && "$cli" --dossier "$folder" "$@" 2>&1)
        status=$?
        [ -n "$out" ] && printf '%s\n' "${out//$folder/<dossier>}" >>"$actual"
        [ "$status" -ne 0 ] && printf '[statut %d]\n' "$status" >>"$actual"
    done <"$transcript"
    if [ "$refresh" = "--refresh" ]; then
        cp "$actual" "$transcript"
    elif ! diff -u "$transcript" "$actual" >/dev/null; then
        echo "transcription différente : $(basename "$transcript")"
        diff -u "$transcript" "$actual" | head -40
        failed=1
    fi
    rm -rf "$folder" "$actual"
done
exit $failed
