#!/usr/bin/env bash
# The install as a package would lay it out: cmake --install into a
# temporary prefix, then the installed dustora-cli renders and exports the
# shipped sample from the installed program folder, the desktop entry and
# the metainfo pass their validators, and the MIME database recognises the
# sample, by its name and by its contents.
#   installed_layout_test.sh BUILD-DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
prefix="$work/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null
id=jp.dustora.Dustora

# The files that make a desktop program.
for file in bin/dustora bin/dustora-cli share/dustora/sample.dsc share/dustora/holiday.csv \
  share/dustora/help share/dustora/img share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
  share/mime/packages/$id.xml share/icons/hicolor/scalable/apps/$id.svg; do
  [ -e "$prefix/$file" ] || { echo "not installed: $file" >&2; exit 1; }
done
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
  [ "$(file -b "$png" | cut -d, -f2)" = " $size x $size" ] || { echo "not a $size px icon: $png" >&2; exit 1; }
done
[ -n "$(find "$prefix/lib" -path '*/dustora/dustora-ical.so')" ] ||
  { echo "the export's module is not installed" >&2; exit 1; }
# Only the module links libical: the programs load it on their first export.
for program in dustora dustora-cli; do
  ! ldd "$prefix/bin/$program" | grep -q libical || { echo "$program links libical" >&2; exit 1; }
done

# The installed dustora-cli, with the installed program folder's sample and
# holidays: the page, and the calendar through the installed module.
data="$work/data"
mkdir -p "$data"
cp "$prefix/share/dustora/holiday.csv" "$data/"
"$prefix/bin/dustora-cli" --data-folder "$data" --year 2026 --month 12 --output "$work/page.html" \
  "$prefix/share/dustora/sample.dsc"
"$build/app/dustora-cli" --data-folder "$data" --year 2026 --month 12 --output "$work/built.html" \
  "$prefix/share/dustora/sample.dsc"
cmp "$work/page.html" "$work/built.html"
grep -q "$(printf '2026年12月' | iconv -f UTF-8 -t CP932)" "$work/page.html"
"$prefix/bin/dustora-cli" --data-folder "$data" --year 2026 --month 4 --ics "$work/a.ics" \
  "$prefix/share/dustora/sample.dsc"
head -1 "$work/a.ics" | grep -q '^BEGIN:VCALENDAR'

# Both validators, without errors or warnings.
desktop-file-validate "$prefix/share/applications/$id.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml"

# The MIME type, with a database of the prefix's own and nothing of the
# user's.
export XDG_DATA_DIRS="$prefix/share" XDG_DATA_HOME="$work/none" HOME="$work"
update-mime-database "$prefix/share/mime"
type_of() { gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }
cp "$prefix/share/dustora/sample.dsc" "$work/コピー"
for file in "$prefix/share/dustora/sample.dsc" "$work/コピー"; do
  type=$(type_of "$file")
  [ "$type" = application/x-dustora-document ] || { echo "$file is $type" >&2; exit 1; }
done
grep -q 'ダストーラファイル' "$prefix/share/mime/application/x-dustora-document.xml"
echo "installed layout: complete; validators: clean; MIME type: recognised by name and contents"
