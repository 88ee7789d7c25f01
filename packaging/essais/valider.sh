#!/usr/bin/env bash
# Checks one kind of delivered file with its validator; skipped (77) when the
# validator is not installed.
#   valider.sh desktop-file-validate FILE | appstreamcli FILE | man PAGE...
set -uo pipefail
tool=$1; shift
command -v "$tool" >/dev/null || { echo "$tool absent : essai sauté"; exit 77; }
case $tool in
desktop-file-validate)
    out=$(desktop-file-validate "$@" 2>&1); rc=$?
    echo "$out"
    [ $rc = 0 ] && [ -z "$out" ] ;;
appstreamcli)
    out=$(appstreamcli validate --no-net --pedantic "$@" 2>&1); rc=$?
    echo "$out"
    # 0: valid, 3: remarks found; anything else is a failure of the validator itself.
    [ $rc = 0 ] || [ $rc = 3 ] || exit 1
    # Errors and warnings fail.
    ! grep -qE '^[EW]:' <<<"$out" ;;
man)
    rc=0
    for page in "$@"; do
        out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 >/dev/null)
        [ -z "$out" ] || { echo "$page :"; echo "$out"; rc=1; }
    done
    [ $rc = 0 ] ;;
esac
