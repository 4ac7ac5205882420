#!/usr/bin/env bash
# A whole city in one run: dustora-cli --import --all-areas --sheet over a
# synthetic city of AREAS areas and ten categories (two files an area and
# report.csv), its time and peak memory; then the same run under strace,
# which sums the time the threads spent in fsync, the disk's share.
#   scripts/bench-city.sh [build-dir] [areas]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=${1:-build}
areas=${2:-1000}
cli="$build/app/dustora-cli"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$here/make-synthetic-city.py" "$work/city" --areas "$areas" --categories 10
mkdir "$work/data" "$work/out"
run=("$cli" --data-folder "$work/data" --import "$work/city" --all-areas "$work/out" --sheet)
/usr/bin/time -f "elapsed %e s, user %U s, system %S s, peak memory %M KB" "${run[@]}" || true
echo "files in the folder: $(find "$work/out" -type f | wc -l)"
# The second run replaces every file, as a run over an earlier one does.
strace -f -c -e trace=fsync,fdatasync,rename -o "$work/strace.txt" "${run[@]}" > /dev/null || true
awk '/fsync|rename/ { printf "%-10s %8s s in %6s calls (summed over the threads)\n", $NF, $2, $4 }' "$work/strace.txt"
