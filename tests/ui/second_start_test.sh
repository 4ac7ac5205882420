#!/usr/bin/env bash
# The real program started twice on a display of its own (run under
# xvfb-run): the second start hands its file to the first and ends, and the
# first window opens it; after the first was killed, leaving its socket, a
# new start is the running copy again and opens a file whose name is
# Shift_JIS bytes, not UTF-8.
#   second_start_test.sh PATH-TO-dustora SAMPLE.dsc
set -euo pipefail
program=$1
work=$(mktemp -d)
first=""
cleanup() {
  local status=$?
  # A failure shows what the starts said.
  if [ "$status" != 0 ]; then
    for log in "$work"/*.log; do [ -f "$log" ] && { echo "== $log" >&2; cat "$log" >&2; }; done
  fi
  [ -n "$first" ] && kill -9 "$first" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
# A home and runtime folder of the test's own: never a developer's copy.
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" XDG_DATA_HOME="$work/home/share"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$2" "$work/町内.dsc"

# The copies this test started (found by their runtime folder), not those
# of somebody who uses the program on this machine meanwhile.
copies() {
  local count=0 pid
  for pid in $(pgrep -f "^$program" || true); do
    if tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "XDG_RUNTIME_DIR=$XDG_RUNTIME_DIR"; then
      count=$((count + 1))
    fi
  done
  echo "$count"
}

# Waits up to 30 s for a window titled exactly $1.
wait_for_title() {
  for _ in $(seq 300); do
    if xdotool search --name "^$1\$" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  echo "no window titled $1; the windows are:" >&2
  xdotool search --name . getwindowname %@ >&2 2>/dev/null || true
  return 1
}

"$program" >"$work/first.log" 2>&1 &
first=$!
wait_for_title 'ダストーラ作成 \[新規\]'
ls "$XDG_RUNTIME_DIR"/dustora-*.sock >/dev/null

# From another folder, with a relative name: the first window opens it.
cd "$work"
start=$(date +%s)
timeout 20 "$program" 町内.dsc
echo "the second start ended after $(($(date +%s) - start)) s"
wait_for_title 'ダストーラ作成 \[町内.dsc\]'
kill -0 "$first"
[ "$(copies)" = 1 ] || { echo "more than one copy runs" >&2; exit 1; }

# A copy that was killed leaves its socket and a stale lock: the next start
# runs as the first, and opens 町内.dsc named as an old disk names it.
kill -9 "$first"
wait "$first" 2>/dev/null || true
first=""
ls "$XDG_RUNTIME_DIR"/dustora-*.sock >/dev/null
cp "$work/町内.dsc" "$work/"$'\x92\xac\x93\xe0.dsc'
"$program" "$work/"$'\x92\xac\x93\xe0.dsc' >"$work/third.log" 2>&1 &
first=$!
wait_for_title 'ダストーラ作成 \[.*\.dsc\]'
kill -TERM "$first"
wait "$first"
first=""
echo "second start: handed over; stale socket: taken over; a Shift_JIS name opened"
