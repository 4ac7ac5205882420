#!/usr/bin/env bash
# Makes the README's pictures: the main window and its dialogs under Xvfb
# with the example document and tables, and the page the document creates
# rendered by headless Chromium.
#   scripts/screenshots.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build}
out="$here/docs/screenshots"
mkdir -p "$out"
shot() {
  xvfb-run -a -s "-screen 0 1024x768x24" "$build/tests/main_screenshot" "$out/$1.png" "$here/docs/example/area.dsc" \
    "${@:2}"
  echo "$out/$1.png"
}
shot main
shot dlgDateOption mnuDateOption
shot dlgEveryOther mnuEveryOther
shot dlgSelectSetDate mnuFileOption
shot dlgSet mnuCategory
shot dlgImageSet mnuImage List1:0
for page in 0 1 2 3 4; do shot "frmDesign-$page" mnuDesign "TabStrip1:$page"; done
shot dlgMemo mnuMemo
shot dlgFileCopy mnuCopyMyDoc
shot dlgHoliday mnuHoliday
shot dlgNone mnuNone
shot dlgCalendar mnuNone cmdDateStart
shot dlgYear mnuYear
shot dlgICal mnuICal
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# A page as the program writes it: into a data folder with the shipped
# icons and holidays next to it.
page() {
  local data="$work/$1"
  mkdir -p "$data"
  [ -d "$data/img" ] || cp -r "$here/shipped/img" "$data/img"
  cp "$here/shipped/holiday.csv" "$data/holiday.csv"
  "$build/app/dustora-cli" --data-folder "$data" --year 2026 --month 12 --output "$data/temp.html" "$2"
  chromium --headless --no-sandbox --disable-gpu --disable-background-networking --disable-component-update \
    --disable-sync --no-first-run --user-data-dir="$work/profile" --window-size=1000,760 \
    --screenshot="$out/$1.png" "file://$data/temp.html" 2>/dev/null
  echo "$out/$1.png"
}
page page "$here/docs/example/area.dsc"
page sample-page "$here/shipped/sample.dsc"
# The same page after a design change: a double green grid, a dark red
# title on the left, 明朝 day numbers.
# The program writes a complete settings file when it ends.
mkdir -p "$work/home" && chmod 700 "$work/home"
HOME="$work/home" XDG_DATA_HOME="$work/home/share" XDG_RUNTIME_DIR="$work/home" \
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '"$1" & sleep 3; kill -TERM $!; wait $!' _ "$build/app/dustora"
mkdir -p "$work/design-page"
cp "$work/home/share/Tessaloom/Dustora/dustora.ini" "$work/design-page/dustora.ini"
ini="$work/design-page/dustora.ini"
iconv -f CP932 -t UTF-8 "$ini" | sed -e 's/^Style=solid/Style=double/' -e 's/^Border=1/Border=3/' \
  -e 's/^Color=#000000/Color=#008000/' -e '/^\[FontColor\]/,/^\[/s/^0=#0000FF/0=#C00000/' \
  -e '/^\[FontAlign\]/,/^\[/s/^0=.*/0=左\r/' -e '/^\[FontName\]/,/^\[/s/^4=.*/4=[Generic(明朝体)]\r/' |
  iconv -f UTF-8 -t CP932 >"$ini.new"
mv "$ini.new" "$ini"
page design-page "$here/shipped/sample.dsc"
