#!/usr/bin/env bash
# Regenerates the committed shipped files that are made from other data:
# shipped/holiday.csv (scripts/make-holidays.py) and the category icons in
# shipped/img (scripts/make-category-icons.py). Only for regenerating them;
# the build never runs this, it copies shipped/ as committed.
#   scripts/make-shipped.sh [holidays.yml]
# Missing Debian packages (Pillow and the colour emoji font) are installed
# first (as root, with apt-get); the icons use Debian's own python3.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

packages=(python3-pil fonts-noto-color-emoji)

# shellcheck source=install-packages.sh
source "$here/scripts/install-packages.sh"

install_missing "${packages[@]}"
/usr/bin/python3 "$here/scripts/make-holidays.py" "$@"
/usr/bin/python3 "$here/scripts/make-category-icons.py"
