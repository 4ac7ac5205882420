#!/usr/bin/env bash
# Regenerates the committed shipped files that are made from other data:
# shipped/holiday.csv (scripts/make-holidays.py) and the icons in
# shipped/img (scripts/make-icons.py). Only for regenerating them; the build
# never runs this, it copies shipped/ as committed.
#   scripts/make-shipped.sh [holidays.yml]
# Missing Debian packages (Pillow and the colour emoji font) are installed
# first (as root, with apt-get); the icons use Debian's own python3.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(python3-pil fonts-noto-color-emoji)

install_missing() {
  local missing=()
  for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

install_missing
/usr/bin/python3 "$here/scripts/make-holidays.py" "$@"
/usr/bin/python3 "$here/scripts/make-icons.py"
