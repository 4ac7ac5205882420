#!/usr/bin/env bash
# Pictures of the program's messages, made with the real program under Xvfb
# with a window manager, driven by the keyboard alone as a user would:
# a browser that cannot be started, the help error, the missing holiday
# table, the unregistered-input questions of two list editors and the
# save-changes question.
#   scripts/message-screenshots.sh [build-dir]
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$here/build}
out="$here/docs/screenshots/messages"
# shellcheck source=install-packages.sh
source "$here/scripts/install-packages.sh"
install_missing xvfb openbox xdotool imagemagick
mkdir -p "$out"

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
pids+=($!)
export DISPLAY=$display
sleep 1
openbox >/dev/null 2>&1 &
pids+=($!)
# An opener that never starts a browser.
mkdir -p "$work/bin" "$work/home"
chmod 700 "$work/home"
printf '#!/bin/sh\nexit 3\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
HOME="$work/home" XDG_DATA_HOME="$work/home/share" XDG_RUNTIME_DIR="$work/home" PATH="$work/bin:$PATH" \
  "$build/app/dustora" >/dev/null 2>&1 &
pids+=($!)
sleep 4 # the splash closes after two seconds

keys() { xdotool key --delay 150 "$@"; sleep 1.2; }
shot() { # name: the window in front, with its frame
  import -frame -window "$(xdotool getactivewindow)" "$out/$1.png"
  echo "$out/$1.png"
}

keys alt+d # 作成: the page is written, the browser does not start
shot browser-error
keys Return F1
shot help-error
keys Return
rm "$work/home/share/Tessaloom/Dustora/holiday.csv"
keys alt+s h # 祝祭日の確認と編集 without its table
shot holiday-missing
# In the editor: the date through the picker, a name, then O K.
keys Return shift+Tab shift+Tab shift+Tab Return Return Tab
xdotool type --delay 100 "kodomo"
keys Tab Tab Return
shot holiday-unregistered
keys Return Escape
keys alt+s c shift+Tab shift+Tab # 分別の種類設定, the name box
xdotool type --delay 100 "kan"
keys alt+s
shot category-unregistered
keys Return Escape
keys Tab Down Down alt+q # a rule changed, then 終了
shot save-question
keys Escape

# Files from elsewhere, read at the next start: a holiday table saved as
# UTF-8 with a character Shift_JIS lacks, a period table too large to read,
# and icons whose names Shift_JIS cannot hold.
kill "${pids[-1]}"
sleep 2
data="$work/home/share/Tessaloom/Dustora"
printf '"#2026/12/23#","天皇誕生日\xf0\xa0\xae\xb7"\r\n' >"$data/holiday.csv"
head -c 16777217 /dev/zero | tr '\0' ';' >"$data/noneterm.csv"
cp "$data/img/kan.gif" "$data/img/剝がせるごみ.gif"
cp "$data/img/kan.gif" "$data/img/$(printf '\xff\xfe').gif"
HOME="$work/home" XDG_DATA_HOME="$work/home/share" XDG_RUNTIME_DIR="$work/home" PATH="$work/bin:$PATH" \
  "$build/app/dustora" >/dev/null 2>&1 &
pids+=($!)
sleep 4
shot utf8-replaced
keys Return
shot too-large
keys Return
keys alt+s i End
shot icon-unusable-names
keys Escape
