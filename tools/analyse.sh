#!/usr/bin/env bash
# Static analysis of src/: cppcheck, then clang-tidy (bug-prone and performance checks,
# see .clang-tidy) over the compile commands of the build folder given (default build).
# Fails when either reports something.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}
[ -f "$BUILD/compile_commands.json" ] || cmake -S . -B "$BUILD" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
for tool in cppcheck run-clang-tidy clang-tidy; do
    command -v "$tool" >/dev/null || { echo "$tool manque (make analyse l'installe)"; exit 1; }
done
status=0
echo "== cppcheck"
cppcheck --quiet --std=c++20 --language=c++ --enable=warning,performance,portability \
    --inline-suppr --suppress=missingIncludeSystem --error-exitcode=1 -j "$JOBS" -I src src || status=1
echo "== clang-tidy"
mapfile -t sources < <(git ls-files 'src/*.cpp')
log=$(mktemp)
trap 'rm -f "$log"' EXIT
run-clang-tidy -quiet -p "$BUILD" -j "$JOBS" "${sources[@]}" >"$log" 2>&1
tidy=$?
# One line per finding: without colours, paths relative to the tree, a header reported by
# several files once.
out=$(sed -E -e 's/\x1b\[[0-9;]*m//g' -e ':a' -e 's#/[^/.][^/]*/\.\./#/#' -e 'ta' -e "s#^$PWD/##" "$log" \
    | grep -E "(warning|error):" | sort -u)
if [ -n "$out" ]; then
    echo "$out"
    echo "clang-tidy : $(echo "$out" | wc -l) constat(s)"
    status=1
elif [ "$tidy" -ne 0 ]; then
    tail -n 20 "$log"
    echo "clang-tidy n'a pas pu analyser les sources"
    status=1
fi
exit $status
