#!/usr/bin/env bash
# Peak memory of the program's start-up on a real X server (Xvfb, with
# openbox as window manager where it is installed) against the floor: a bare
# Qt window holding the same widgets (tests/tools/bare_window). Each is
# started RUNS times, alternately, with a fresh home folder (so the first-run
# copy into it happens every time); once its main window is shown and the
# splash has closed, it settles 1.5 s, its VmHWM is read from
# /proc/PID/status and it is killed. Prints each run and the medians, in MB
# of 1,000,000 bytes (VmHWM's kB are KiB: MB = kB * 1024 / 1e6).
# --maps also prints the shared libraries the program has mapped at that
# moment (its first run); --shot FILE.png saves the screen at that moment.
#   scripts/startup-memory.sh [--maps] [--shot FILE.png] BUILD-DIR [RUNS]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
maps=""
shot=""
while [ $# -gt 0 ]; do
  case "$1" in
    --maps) maps=1; shift ;;
    --shot) shot=$2; shift 2 ;;
    *) break ;;
  esac
done
[ $# -ge 1 ] || { sed -n 's/^#   //p' "$0" >&2; exit 2; }
build=$(cd "$1" && pwd)
runs=${2:-5}
programs=("$build/app/dustora" "$build/tests/bare_window")
# The window whose showing ends the start-up: the main window's title, any
# window of the bare one; then the splash, which closes two seconds after the
# start (untitled: Qt names it after the program), must be gone.
titles=('^ダストーラ作成' '.')
splashes=('^dustora$' '')
for p in "${programs[@]}"; do [ -x "$p" ] || { echo "missing: $p (build it first)" >&2; exit 1; }; done
# shellcheck source=install-packages.sh
source "$here/scripts/install-packages.sh"
install_missing xvfb xdotool
[ -z "$shot" ] || install_missing imagemagick

work=$(mktemp -d)
pids=()
running=""
cleanup() {
  [ -z "$running" ] || kill "$running" 2>/dev/null || true
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# A free display: Xvfb picks it and writes its number.
Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
DISPLAY=":$(cat "$work/display")"
export DISPLAY
if command -v openbox >/dev/null; then
  openbox >/dev/null 2>&1 &
  pids+=($!)
  sleep 1
fi

# Visible top-level windows of PID whose title matches $2.
windows() {
  local id name
  for id in $(xdotool search --onlyvisible --pid "$1" 2>/dev/null); do
    name=$(xdotool getwindowname "$id" 2>/dev/null) || continue
    if grep -q -- "$2" <<<"$name"; then echo "$id"; fi
  done
}

# measure PROGRAM TITLE SPLASH FIRST: one start; prints VmHWM in kB.
measure() {
  local program=$1 title=$2 splash=$3 first=$4 home pid shown=""
  home=$(mktemp -d "$work/home.XXXXXX")
  mkdir -p "$home/run"
  chmod 700 "$home" "$home/run"
  (
    for v in $(compgen -e | grep '^XDG_' || true); do unset "$v"; done
    export HOME="$home" XDG_RUNTIME_DIR="$home/run" QT_QPA_PLATFORM=xcb
    exec "$program"
  ) >"$home/log" 2>&1 &
  pid=$!
  running=$pid
  for _ in $(seq 300); do
    [ -n "$(windows "$pid" "$title")" ] && { shown=1; break; }
    sleep 0.1
  done
  [ -n "$shown" ] || { echo "$program showed no window in 30 s:" >&2; cat "$home/log" >&2; exit 1; }
  for _ in $(seq 50); do
    [ -z "$splash" ] || [ -z "$(windows "$pid" "$splash")" ] && break
    sleep 0.1
  done
  sleep 1.5
  kill -0 "$pid" 2>/dev/null || { echo "$program ended:" >&2; cat "$home/log" >&2; exit 1; }
  if [ -n "$first" ]; then
    if [ -n "$shot" ]; then import -window root "$shot"; echo "screen: $shot" >&2; fi
    if [ -n "$maps" ]; then
      echo "mapped by $(basename "$program"):" >&2
      awk '$6 ~ /\.so/ { n = split($6, p, "/"); print "  " p[n] }' "/proc/$pid/maps" | sort -u >&2
    fi
  fi
  awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  running=""
  rm -rf "$home"
}

mb() { awk -v kb="$1" 'BEGIN { printf "%.1f", kb * 1024 / 1e6 }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

: >"$work/0"
: >"$work/1"
for run in $(seq "$runs"); do
  for i in 0 1; do
    first=""
    [ "$run" = 1 ] && [ "$i" = 0 ] && first=1
    measure "${programs[$i]}" "${titles[$i]}" "${splashes[$i]}" "$first" >>"$work/$i"
    kb=$(tail -n 1 "$work/$i")
    echo "run $run, $(basename "${programs[$i]}"): $(mb "$kb") MB" >&2
  done
done
echo "dustora start-up peak: $(mb "$(median <"$work/0")") MB"
echo "bare window peak: $(mb "$(median <"$work/1")") MB"
