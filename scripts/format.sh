#!/usr/bin/env bash
# Formats the project's C++ sources with clang-format and the project's
# .clang-format; with --check, changes nothing and fails naming each file
# that is not formatted (the test command runs that).
#   scripts/format.sh [--check]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$here"
# The tracked sources; a copy without git takes the folders' files.
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  mapfile -t files < <(git ls-files '*.cpp' '*.h')
else
  mapfile -t files < <(find src app tests fuzz -name '*.cpp' -o -name '*.h')
fi
if [ "${1:-}" = --check ]; then
  # One clang-format over every file; it names each place it would change.
  if ! report=$(clang-format --dry-run -Werror "${files[@]}" 2>&1); then
    sed -n 's/^\([^:]*\):[0-9]*:[0-9]*: error:.*/\1/p' <<<"$report" | sort -u |
      sed 's/^/not formatted: /; s/$/ (scripts\/format.sh formats it)/' >&2
    exit 1
  fi
  exit 0
fi
clang-format -i "${files[@]}"
