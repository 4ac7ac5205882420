#!/usr/bin/env bash
# Draws the desktop icon (an SVG and PNGs of the hicolor sizes) from the
# program's picture into desktop/icons, whose files are committed and
# installed as they are.
#   scripts/make-desktop-icon.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build}
cmake --build "$build" --target dustora-icons
rm -rf "$here/desktop/icons"
QT_QPA_PLATFORM=offscreen "$build/app/dustora-icons" "$here/desktop/icons"
find "$here/desktop/icons" -type f | sort
