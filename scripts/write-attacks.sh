#!/usr/bin/env bash
# Tries what dustora-cli writes, as a careless user or a hostile document
# would, and says what each try did. Runs as any user; the data folder,
# the documents and the outputs are made in a temporary folder.
#   scripts/write-attacks.sh PATH-TO-dustora-cli SAMPLE.dsc [modes|design|ical|memo|inputs|links]...
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cli=$(realpath "$1")
sample=$(realpath "$2")
shift 2
checks=("$@")
[ ${#checks[@]} -gt 0 ] || checks=(modes design ical memo inputs links)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
data="$work/data"
mkdir -p "$data"
sjis() { iconv -f UTF-8 -t SHIFT_JIS; }
# A document of one category every Monday, named $1, with extra lines $2.
document() { printf '[WeekName]\r\n0=月\r\n[Category]\r\n0=%s\r\n%s' "$1" "${2:-}" | sjis >"$work/doc.dsc"; }
code() { "$@" >/dev/null 2>&1 && echo 0 || echo $?; }

for check in "${checks[@]}"; do
  case "$check" in
    modes)
      # The modes a 0600 page's temporary file is seen with during 200 writes.
      out="$work/private.html"
      : >"$out"
      chmod 600 "$out"
      python3 - "$cli" "$data" "$out" <<'EOF'
import collections, os, subprocess, sys, threading
cli, data, out = sys.argv[1:]
folder, prefix = os.path.dirname(out), "." + os.path.basename(out) + ".tmp"
done, seen = threading.Event(), collections.Counter()
def writes():
    for _ in range(200):
        subprocess.run([cli, "--data-folder", data, "--output", out], stderr=subprocess.DEVNULL)
    done.set()
threading.Thread(target=writes).start()
while not done.is_set():
    for entry in os.scandir(folder):
        if entry.name.startswith(prefix):
            try: seen[oct(entry.stat().st_mode & 0o777)] += 1
            except OSError: pass
print("modes: the temporary file of 200 writes of a 0600 page was seen", dict(seen),
      "times; the page is", oct(os.stat(out).st_mode & 0o777))
EOF
      ;;
    design)
      # The settings a program leaves at exit, one colour commenting out the rest.
      sed 's|^0=#0000FF|0=#0000FF/*|' "$here/fuzz/corpus/settings/after_exit.ini" >"$data/dustora.ini"
      errors=$("$cli" --data-folder "$data" --output "$work/design.html" 2>&1 >/dev/null | tr -d '\r' | tr '\n' ' ')
      echo "design: [FontColor] 0=#0000FF/*: the page holds '/*' $(grep -c '/\*' "$work/design.html" || true) times; said: ${errors:-nothing}"
      rm "$data/dustora.ini"
      ;;
    ical)
      document $'燃やせる\x01ごみ' $'[Title]\r\nString=ごみ;カレンダー,\r\n'
      "$cli" --data-folder "$data" --ics "$work/gomi.ics" --months 1 "$work/doc.dsc"
      echo "ical: control bytes in SUMMARY lines: $(grep -a '^SUMMARY' "$work/gomi.ics" | grep -c $'\x01' || true); $(grep -a '^X-WR-CALNAME' "$work/gomi.ics" | tr -d '\r')"
      ;;
    memo)
      # A link named .mmo to another file, and a relative path from elsewhere.
      ln -sf /etc/hostname "$work/x.mmo"
      document 燃やせるごみ $'[Memo]\r\nOP=1\r\nPath=x.mmo\r\n'
      (cd "$work" && "$cli" --data-folder "$data" --output "$work/memo.html" doc.dsc 2>/dev/null) || true
      linked=$(iconv -f SHIFT_JIS -t UTF-8 "$work/memo.html" | grep -c "$(cat /etc/hostname)" || true)
      rm "$work/x.mmo"
      printf 'ゴミは朝8時までに\r\n' | sjis >"$work/tied.mmo"
      document 燃やせるごみ $'[Memo]\r\nOP=1\r\nPath=tied.mmo\r\n'
      (cd / && "$cli" --data-folder "$data" --output "$work/memo.html" "$work/doc.dsc" 2>/dev/null) || true
      beside=$(iconv -f SHIFT_JIS -t UTF-8 "$work/memo.html" | grep -c 'ゴミは朝8時までに' || true)
      echo "memo: a .mmo link to /etc/hostname printed it $linked times; a relative memo started from / printed $beside times"
      ;;
    inputs)
      document 燃やせるごみ
      printf '[Cell]\r\n' >"$data/dustora.ini"
      : >"$data/holiday.csv"
      before=$(cat "$work/doc.dsc" "$data/dustora.ini" "$data/holiday.csv" | md5sum)
      line="inputs:"
      for args in "--output $work/doc.dsc" "--ics $data/holiday.csv" "--output $data/dustora.ini"; do
        document 燃やせるごみ # again, should the try before have written over it
        # shellcheck disable=SC2086
        line="$line $args → exit $(code "$cli" --data-folder "$data" $args "$work/doc.dsc");"
      done
      line="$line --output '' → exit $(code "$cli" --data-folder "$data" --output '' "$work/doc.dsc");"
      after=$(cat "$work/doc.dsc" "$data/dustora.ini" "$data/holiday.csv" | md5sum)
      [ "$before" = "$after" ] && echo "$line the inputs are unchanged" || echo "$line the inputs were written over"
      rm "$data/dustora.ini" "$data/holiday.csv"
      ;;
    links)
      mkdir -p "$work/shared"
      : >"$work/shared/calendar.html"
      ln -sf "$work/shared/calendar.html" "$work/linked.html"
      "$cli" --data-folder "$data" --output "$work/linked.html" "$sample" 2>/dev/null
      if [ -L "$work/linked.html" ]; then kind="still a link"; else kind="a regular file now"; fi
      echo "links: the output link is $kind; the file it names holds $(wc -c <"$work/shared/calendar.html") bytes"
      ;;
    *)
      echo "unknown check $check" >&2
      exit 2
      ;;
  esac
done
