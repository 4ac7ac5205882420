#!/usr/bin/env bash
# Builds ダストーラ and starts it, or builds and runs every test.
#   scripts/dustora.sh start   build, then start the program
#   scripts/dustora.sh test    build, then run every test (plain and sanitizer builds)
# Missing Debian packages are installed first (as root, with apt-get).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-translations-l10n libgl-dev
  libicu-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xauth fonts-noto-cjk imagemagick
  chromium
)

# shellcheck source=install-packages.sh
source "$here/scripts/install-packages.sh"

configure_build() { # dir, [cmake args...] [-- targets...]
  local dir=$1; shift
  local args=() targets=()
  while [ $# -gt 0 ] && [ "$1" != -- ]; do args+=("$1"); shift; done
  [ $# -gt 0 ] && shift
  targets=("$@")
  cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${args[@]}" >/dev/null
  if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$dir" -j "$jobs" --target "${targets[@]}"
  else
    cmake --build "$dir" -j "$jobs"
  fi
}

cmd=${1:-}
case "$cmd" in
  deps)
    install_missing "${packages[@]}"
    ;;
  start)
    install_missing "${packages[@]}"
    # Only what starting needs: the program, dustora-cli and the program
    # folder's files; the tests are built by the test command.
    configure_build "$here/build" -- dustora dustora-cli dustora_shipped_files
    if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
      exec "$here/build/app/dustora"
    fi
    # No display to open a window on: render this month's page of the
    # sample document with dustora-cli instead.
    page="$here/build/temp.html"
    sample="$here/build/app/sample.dsc"
    "$here/build/app/dustora-cli" --output "$page" "$sample"
    echo "No display, so the window cannot open. This month's calendar page of the sample document"
    echo "($sample) is at:"
    echo "$page"
    ;;
  test)
    install_missing "${packages[@]}"
    configure_build "$here/build"
    (cd "$here/build" && ctest --output-on-failure -j "$jobs")
    if [ "${DUSTORA_SKIP_SANITIZERS:-0}" != 1 ]; then
      configure_build "$here/build-asan" -DDUSTORA_SANITIZE=ON
      (cd "$here/build-asan" && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j "$jobs")
    fi
    ;;
  *)
    echo "usage: $0 start|test|deps" >&2
    exit 2
    ;;
esac
