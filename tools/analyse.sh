#!/usr/bin/env bash
# Static analysis of src/: cppcheck, then clang-tidy (bug-prone and performance checks,
# see .clang-tidy) over the compile commands of the build folder given (default build).
# Fails when either reports something.
set -uo pipefail
cd "$(dirname "$0")/.."
BUILD=${1:-build}
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}
[ -f "$BUILD/compile_commands.json" ] || cmake -S . -B "$BUILD" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
status=0
echo "== cppcheck"
cppcheck --quiet --std=c++20 --language=c++ --enable=warning,performance,portability \
    --inline-suppr --suppress=missingIncludeSystem --error-exitcode=1 -j "$JOBS" -I src src || status=1
echo "== clang-tidy"
mapfile -t sources < <(git ls-files 'src/*.cpp')
out=$(run-clang-tidy -quiet -p "$BUILD" -j "$JOBS" "${sources[@]}" 2>/dev/null | grep -E "(warning|error):" | sort -u)
if [ -n "$out" ]; then
    echo "$out"
    status=1
fi
exit $status
