#!/usr/bin/env bash
# Fails when a tracked C++ file is not as clang-format leaves it, or has a line over 100
# columns (which clang-format leaves alone in raw strings).
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t files < <(git ls-files '*.cpp' '*.h')
[ ${#files[@]} -eq 0 ] && exit 0
clang-format --dry-run --Werror "${files[@]}"
long=$(awk 'length > 100 { print FILENAME ":" FNR ": over 100 columns" }' "${files[@]}")
if [ -n "$long" ]; then
  echo "$long" >&2
  exit 1
fi
