#!/usr/bin/env bash
# Whole-process speed of dustora-cli against the floor (minimal_writer, which
# only writes the same bytes with the same atomic replace), run alternately;
# with "months", the twelve-month page against the month page instead; with
# "ics", the iCalendar export of twelve months against the month page;
# with "sheet", the one-sheet calendar against the month page.
# With "compare", two builds against each other: dustora-cli's month page
# and its export of 36 months (the whole process) and the main window's
# start-up with its loading (the time window_benchmarks reports), each the
# median of RUNS alternating runs started by one spawn loop
# (scripts/spawn-medians.py).
#   scripts/bench-cli.sh [build-dir] [runs] [months|ics|sheet]
#   scripts/bench-cli.sh compare OLD-BUILD NEW-BUILD [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
compare=""
if [ "${1:-}" = compare ]; then
  compare=$2
  shift 2
fi
build=${1:-build}
runs=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data="$work/data"
mkdir -p "$data"
# A busy area: every slot used, 1,000 holidays, 200 no-collection periods.
{
  for i in $(seq 0 999); do printf '"#%04d/%02d/%02d#","祝日%d"\r\n' $((1990 + i / 28)) $((i % 12 + 1)) $((i % 28 + 1)) "$i"; done
} | iconv -f utf-8 -t cp932 > "$data/holiday.csv"
{
  for i in $(seq 0 199); do printf '"#%04d/%02d/01#","#%04d/%02d/03#","[すべて]"\r\n' $((2000 + i / 12)) $((i % 12 + 1)) $((2000 + i / 12)) $((i % 12 + 1)); done
} | iconv -f utf-8 -t cp932 > "$data/noneterm.csv"
{
  printf '[WeekName]\r\n'; for i in $(seq 0 54); do printf '%d=月\r\n' "$i"; done
  printf '[Category]\r\n'; for i in $(seq 0 59); do printf '%d=分別%d\r\n' "$i" "$i"; done
  printf '[Image]\r\n'; for i in $(seq 0 59); do printf '%d=icon%d.gif\r\n' "$i" "$i"; done
  printf '[FColor]\r\n'; for i in $(seq 0 59); do printf '%d=#FF0000\r\n' "$i"; done
  printf '[Special]\r\n'; for i in $(seq 0 4); do printf '%d=%d\r\n' "$i" $((i * 6 + 1)); done
  printf '[Memo]\r\nOP=1\r\n[Title]\r\nString=ダストーラ\r\n'
} | iconv -f utf-8 -t cp932 > "$work/area.dsc"

cli="$build/app/dustora-cli"
if [ -n "$compare" ]; then
  old_cli="$compare/app/dustora-cli"
  page=(--data-folder "$data" --year 2026 --month 12 "$work/area.dsc" --output)
  "$here/spawn-medians.py" --runs "$runs" --label-a "dustora-cli $compare" --label-b "dustora-cli $build" \
    -- "$old_cli" "${page[@]}" "$work/old.html" --- "$cli" "${page[@]}" "$work/new.html"
  cmp -s "$work/old.html" "$work/new.html" || { echo "the two builds wrote different pages" >&2; exit 1; }
  export=(--data-folder "$data" --year 2026 --month 4 --months 36 "$work/area.dsc" --ics)
  "$here/spawn-medians.py" --runs "$runs" --label-a "dustora-cli --ics $compare" --label-b "dustora-cli --ics $build" \
    -- "$old_cli" "${export[@]}" "$work/old.ics" --- "$cli" "${export[@]}" "$work/new.ics"
  # The same events; the stamp and the sequence are the time of each run.
  cmp -s <(grep -v '^DTSTAMP\|^SEQUENCE' "$work/old.ics") <(grep -v '^DTSTAMP\|^SEQUENCE' "$work/new.ics") ||
    { echo "the two builds wrote different calendars" >&2; exit 1; }
  startup=(--benchmark_filter='^BM_MainWindowWithLoading$' --benchmark_format=json --benchmark_min_time=0.05)
  if [ -x "$compare/tests/window_benchmarks" ] && [ -x "$build/tests/window_benchmarks" ]; then
    QT_QPA_PLATFORM=offscreen "$here/spawn-medians.py" --reported --runs "$runs" \
      --label-a "start-up $compare" --label-b "start-up $build" \
      -- "$compare/tests/window_benchmarks" "${startup[@]}" --- "$build/tests/window_benchmarks" "${startup[@]}"
  fi
  exit 0
fi
floor="$build/tests/minimal_writer"
"$cli" --data-folder "$data" --year 2026 --month 12 --output "$work/page.html" "$work/area.dsc"
cp "$work/page.html" "$work/bytes.html"

now() { date +%s%N; }
# The month page against another run of the same area, alternately:
#   against_month_page LABEL dustora-cli-flags...
against_month_page() {
  local label=$1 t_one=0 t_other=0 a b c
  shift
  for _ in $(seq "$runs"); do
    # The area's notice about its every-other-week rows is not what is timed.
    a=$(now); "$cli" --data-folder "$data" --year 2026 --month 4 --output "$work/page.html" "$work/area.dsc" 2>/dev/null
    b=$(now); "$cli" --data-folder "$data" --year 2026 --month 4 "$@" "$work/area.dsc" 2>/dev/null; c=$(now)
    t_one=$((t_one + b - a))
    t_other=$((t_other + c - b))
  done
  awk -v o="$t_one" -v y="$t_other" -v n="$runs" -v label="$label" 'BEGIN {
    printf "%-18s %.2f ms a run\n%-18s %.2f ms a run\n%-18s %.2f\n", "one month page", o / n / 1e6, label, y / n / 1e6,
      "ratio", y / o }'
}
case "${3:-}" in
  ics) against_month_page "twelve months .ics" --ics "$work/area.ics"; exit 0 ;;
  months) against_month_page "twelve months" --months 12 --output "$work/year.html"; exit 0 ;;
  sheet) against_month_page "the sheet" --sheet --output "$work/sheet.html"; exit 0 ;;
esac
t_cli=0
t_floor=0
for _ in $(seq "$runs"); do
  a=$(now); "$cli" --data-folder "$data" --year 2026 --month 12 --output "$work/page.html" "$work/area.dsc"; b=$(now)
  "$floor" "$work/bytes.html" "$work/floor.html"; c=$(now)
  t_cli=$((t_cli + b - a))
  t_floor=$((t_floor + c - b))
done
cmp -s "$work/page.html" "$work/floor.html" || { echo "the two programs wrote different bytes" >&2; exit 1; }
awk -v c="$t_cli" -v f="$t_floor" -v n="$runs" 'BEGIN {
  printf "dustora-cli   %.2f ms a run\nminimal       %.2f ms a run\nratio         %.2f\n", c / n / 1e6, f / n / 1e6, c / f }'
