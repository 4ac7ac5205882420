#!/usr/bin/env bash
# Makes the README's pictures: the main window under Xvfb with the example
# document open, and the page it creates rendered by headless Chromium.
#   scripts/screenshots.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build}
out="$here/docs/screenshots"
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1024x768x24" "$build/tests/main_screenshot" "$out/main.png" "$here/docs/example/area.dsc"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/app/dustora-cli" --data-folder "$work" --year 2026 --month 12 --output "$work/page.html" \
  "$here/docs/example/area.dsc"
chromium --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
  --disable-sync --no-first-run --user-data-dir="$work/profile" --window-size=1000,760 \
  --screenshot="$out/page.png" "file://$work/page.html" 2>/dev/null
echo "$out/main.png"
echo "$out/page.png"
