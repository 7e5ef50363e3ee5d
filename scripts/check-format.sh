#!/usr/bin/env bash
# Fails when a tracked C++ file is not laid out as .clang-format says; prints the files to fix.
# scripts/check-format.sh --fix rewrites them instead.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
[ -n "$format" ] || { echo "clang-format not found (Debian: clang-format)"; exit 1; }
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.c')
if [ "${1:-}" = --fix ]; then
  "$format" -i "${files[@]}"
  exit 0
fi
bad=()
for f in "${files[@]}"; do
  "$format" --dry-run -Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if [ ${#bad[@]} -gt 0 ]; then
  printf 'not formatted (scripts/check-format.sh --fix): %s\n' "${bad[@]}"
  exit 1
fi
echo "format: ${#files[@]} files as .clang-format says"
