#!/usr/bin/env bash
# Lists the C++ files of src/, tests/ and bench/ whose layout differs from .clang-format
# and fails when there is one. With --apply, reformats them in place instead.
set -euo pipefail
cd "$(dirname "$0")/.."
FORMAT=${CLANG_FORMAT:-clang-format}
mapfile -t files < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h')
if [ "${1:-}" = "--apply" ]; then
    "$FORMAT" -i "${files[@]}"
    exit 0
fi
bad=0
for f in "${files[@]}"; do
    if ! "$FORMAT" --dry-run --Werror "$f" >/dev/null 2>&1; then
        echo "mise en forme à refaire : $f"
        bad=1
    fi
done
exit $bad
