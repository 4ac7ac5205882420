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

configure_build() { # dir, extra cmake args...
  local dir=$1; shift
  cmake -S "$here" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j "$jobs"
}

cmd=${1:-}
case "$cmd" in
  deps)
    install_missing "${packages[@]}"
    ;;
  start)
    install_missing "${packages[@]}"
    configure_build "$here/build"
    if [ -x "$here/build/app/dustora" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
      exec "$here/build/app/dustora"
    fi
    # No window yet (or no display): render this month's page instead.
    page="$here/build/temp.html"
    sample=()
    [ -f "$here/build/app/sample.dsc" ] && sample=("$here/build/app/sample.dsc")
    "$here/build/app/dustora-cli" --output "$page" "${sample[@]}"
    echo "The program's windows are not built yet; this month's calendar page is at:"
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
