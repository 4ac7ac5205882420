#!/usr/bin/env bash
# Attacks the hand-over between two starts of a real program from outside,
# as a careless or hostile program would, and says what each one did. Run it
# under xvfb-run (a display of its own), as root: the program runs as the
# desktop user uid 1000, with a home and runtime folder of its own and 1024
# descriptors; another user on the machine is played by uid 65534.
#   scripts/hand-over-attacks.sh PATH-TO-dustora SAMPLE.dsc [memory|neighbour|descriptors|loading|names]...
set -euo pipefail
program=$(realpath "$1")
sample=$(realpath "$2")
shift 2
checks=("$@")
[ ${#checks[@]} -gt 0 ] || checks=(memory neighbour descriptors loading names)
work=$(mktemp -d)
user=(prlimit --nofile=1024:1024 -- setpriv --reuid=1000 --regid=1000 --clear-groups)
neighbour=(setpriv --reuid=65534 --regid=65534 --clear-groups)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  rm -rf "$work" /tmp/dustora-1000* 2>/dev/null || true
}
trap cleanup EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/share" XDG_CACHE_HOME="$work/home/cache"
mkdir -p "$HOME"
cp "$sample" "$work/町内.dsc"
heard="$work/heard" # what the neighbour's listener heard
touch "$heard"
cp "$XAUTHORITY" "$work/xauthority"
export XAUTHORITY="$work/xauthority"
chmod 755 "$work"
chown -R 1000:1000 "$work"
chmod 666 "$heard"

# Whether a window titled exactly $1 (a regular expression) shows within $2 tenths of a second.
shows() {
  for _ in $(seq "${2:-100}"); do
    xdotool search --name "^$1\$" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  return 1
}
# Starts the program in the background: its pid in $first.
start_first() {
  "${user[@]}" "$program" "$@" >>"$work/program.log" 2>&1 &
  first=$!
  pids+=("$first")
}
stop_all() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  pids=()
  rm -rf "${XDG_RUNTIME_DIR:-/nonexistent}"/dustora-* /tmp/dustora-1000* "$XDG_CACHE_HOME/dustora" 2>/dev/null || true
}
rss_mb() { awk '/VmRSS/ { print int($2 / 1024) }' "/proc/$1/status"; }
socket_of() { ls "$XDG_RUNTIME_DIR"/dustora-*.sock 2>/dev/null || true; }

use_runtime_folder() {
  export XDG_RUNTIME_DIR="$work/run"
  mkdir -p "$XDG_RUNTIME_DIR"
  chown 1000:1000 "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
}

for check in "${checks[@]}"; do
  case "$check" in
    memory)
      # After its line a client sends 400 MB on the same connection.
      use_runtime_folder
      start_first
      shows 'ダストーラ作成 \[新規\]'
      before=$(rss_mb "$first")
      # The client keeps its connection open while the window is measured.
      python3 - "$(socket_of)" "$work/sent" <<'EOF' &
import socket, sys, time
s = socket.socket(socket.AF_UNIX); s.connect(sys.argv[1]); s.settimeout(5)
s.sendall(b"\n")
chunk, sent = b"x" * (1 << 20), 0
try:
    while sent < 400 << 20:
        s.sendall(chunk); sent += len(chunk)
except OSError:
    pass
open(sys.argv[2], "w").write(str(sent >> 20)); time.sleep(30)
EOF
      pids+=($!)
      while [ ! -s "$work/sent" ]; do sleep 0.2; done
      sleep 1
      during=$(rss_mb "$first")
      kill "${pids[-1]}"
      sleep 2
      echo "memory: sent $(cat "$work/sent") MB after the line; the window held ${before} MB before, ${during} MB with the connection open, $(rss_mb "$first") MB after it closed"
      stop_all
      ;;
    neighbour)
      # Without XDG_RUNTIME_DIR, another user comes first in /tmp: a lock,
      # our folder, and a listener on the old socket's path.
      unset XDG_RUNTIME_DIR
      "${neighbour[@]}" sh -c 'touch /tmp/dustora-1000.lock && mkdir -m 777 /tmp/dustora-1000'
      start_first
      if shows 'ダストーラ作成 \[新規\]' 100; then echo "neighbour's lock: the window opened"; else echo "neighbour's lock: no window (xdotool: $(xdotool search --name '^ダストーラ作成$' 2>/dev/null | wc -l) box 'すでに起動しています.')"; fi
      stop_all
      rm -rf /tmp/dustora-1000*
      "${neighbour[@]}" /usr/bin/python3 - "$heard" <<'EOF' &
import os, socket, sys
s = socket.socket(socket.AF_UNIX); s.bind("/tmp/dustora-1000.sock"); os.chmod("/tmp/dustora-1000.sock", 0o777); s.listen(4)
while True:
    c, _ = s.accept(); line = c.makefile("rb").readline(); c.sendall(b"ok\n"); c.close()
    open(sys.argv[1], "ab").write(line)
EOF
      pids+=($!)
      sleep 0.5
      start_first
      shows 'ダストーラ作成 \[新規\]'
      code=0
      timeout 10 "${user[@]}" "$program" "$work/町内.dsc" >/dev/null 2>&1 || code=$?
      if [ -s "$heard" ]; then heard="the neighbour heard $(tr -d '\n' <"$heard")"; else heard="the neighbour heard nothing"; fi
      if shows 'ダストーラ作成 \[町内.dsc\]' 50; then opened="the window opened it"; else opened="the window did not open it"; fi
      echo "neighbour's listener: the second start ended with $code; $heard; $opened"
      stop_all
      ;;
    descriptors)
      # 1,100 connections held for 3 s, then closed; then a second start.
      use_runtime_folder
      start_first
      shows 'ダストーラ作成 \[新規\]'
      python3 - "$(socket_of)" <<'EOF'
import resource, socket, sys, time
resource.setrlimit(resource.RLIMIT_NOFILE, (4096, 4096))
held = []
for _ in range(1100):
    s = socket.socket(socket.AF_UNIX)
    try: s.connect(sys.argv[1])
    except OSError: pass
    held.append(s)
time.sleep(3)
for s in held: s.close()
EOF
      sleep 2
      if [ -n "$(socket_of)" ]; then left="the socket is there"; else left="the socket is gone"; fi
      code=0
      timeout 10 "${user[@]}" "$program" "$work/町内.dsc" >/dev/null 2>&1 || code=$?
      if shows 'ダストーラ作成 \[町内.dsc\]' 50; then opened="the window opened the file"; else opened="the file was not opened"; fi
      echo "descriptors: after 1,100 connections $left; a second start ended with $code and $opened"
      stop_all
      ;;
    loading)
      # Ten rounds: a second start 20 ms after the first, during its loading.
      use_runtime_folder
      lost=0
      for round in $(seq 10); do
        start_first
        sleep 0.02
        timeout 10 "${user[@]}" "$program" "$work/町内.dsc" >/dev/null 2>&1 || true
        shows 'ダストーラ作成 \[町内.dsc\]' 50 || lost=$((lost + 1))
        stop_all
      done
      echo "loading: $lost of 10 files handed over during the loading were lost"
      ;;
    names)
      # A Shift_JIS file name (町内.dsc) from the command line and handed over.
      use_runtime_folder
      name=$'\x92\xac\x93\xe0.dsc'
      cp "$sample" "$work/$name"
      chown 1000:1000 "$work/$name"
      start_first "$work/$name"
      if shows 'ダストーラ作成 \[.*\.dsc\]' 100; then line="opened"; else line="not opened"; fi
      xdotool search --name '^エラー情報$' >/dev/null 2>&1 && line="$line, an error box shows"
      stop_all
      start_first
      shows 'ダストーラ作成 \[新規\]'
      timeout 10 "${user[@]}" "$program" "$work/$name" >/dev/null 2>&1 || true
      if shows 'ダストーラ作成 \[.*\.dsc\]' 50; then handed="opened"; else handed="not opened"; fi
      xdotool search --name '^エラー情報$' >/dev/null 2>&1 && handed="$handed, an error box shows"
      echo "names: a Shift_JIS name on the command line: $line; handed over: $handed"
      stop_all
      ;;
    *)
      echo "unknown check $check" >&2
      exit 2
      ;;
  esac
done
