#!/usr/bin/env bash
# Builds ダストーラ and starts it, or builds and runs every test.
#   scripts/dustora.sh start   build, then start the program
#   scripts/dustora.sh tidy    build, then run clang-tidy over src/ and app/
#   scripts/dustora.sh package a Release build and its Debian package (the .deb's path on the
#                              last line)
#   scripts/dustora.sh install the package, installed with apt-get
#   scripts/dustora.sh test    build, then run every test (plain and sanitizer builds, the
#                              threads test under ThreadSanitizer, and the readers' fuzz
#                              targets built with clang)
# Missing Debian packages are installed first (as root, with apt-get).
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
cd "$here" # the presets are found beside the sources

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-translations-l10n libgl-dev
  libicu-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xauth fonts-noto-cjk imagemagick
  chromium poppler-utils
  libical-dev khal python3-icalendar
  desktop-file-utils appstream shared-mime-info libglib2.0-bin xdotool file
)

# shellcheck source=install-packages.sh
source "$here/scripts/install-packages.sh"

build_preset() { # preset, [targets...]: configure and build one of CMakePresets.json's builds
  local preset=$1; shift
  cmake --preset "$preset" >/dev/null
  if [ $# -gt 0 ]; then
    cmake --build --preset "$preset" -j "$jobs" --target "$@"
  else
    cmake --build --preset "$preset" -j "$jobs"
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
    build_preset plain dustora dustora-cli dustora_shipped_files
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
    build_preset plain
    ctest --preset plain -j "$jobs"
    if [ "${DUSTORA_SKIP_SANITIZERS:-0}" != 1 ]; then
      build_preset sanitize
      ctest --preset sanitize -j "$jobs"
      # Two sessions loading and rendering on two threads, and a city of areas
      # on many, under ThreadSanitizer.
      build_preset threads app_tests
      ctest --preset threads
    fi
    # Every reader's fuzz target over its corpus and a fixed set of inputs.
    build_preset fuzz
    ctest --preset fuzz -j "$jobs"
    ;;
  package | install)
    install_missing "${packages[@]}" dpkg-dev lintian
    build_preset release
    rm -rf "$here/build-release/package"
    (cd "$here/build-release" && cpack --config CPackConfig.cmake -B "$here/build-release/package" >&2)
    deb=$(ls "$here"/build-release/package/dustora_*.deb)
    if [ "$cmd" = install ]; then
      # apt-get brings the dependencies along.
      apt-get install -y "$deb" >&2
    fi
    echo "$deb"
    ;;
  tidy)
    # clang-tidy with the checks of .clang-tidy over the program's sources and tests
    # (not part of the test command); lists what it finds, fails on any.
    install_missing "${packages[@]}" clang-tidy
    build_preset plain
    log="$here/build/clang-tidy.log"
    # Without its colours, so that the findings can be counted.
    run-clang-tidy -quiet -j "$jobs" -p "$here/build" "$here/(src|app|tests)/.*\.cpp\$" 2>&1 |
      sed 's/\x1b\[[0-9;]*m//g' >"$log" || true
    grep ': warning: \|: error: ' "$log" | sort -u >"$log.findings" || true
    cat "$log.findings"
    findings=$(wc -l <"$log.findings")
    echo "clang-tidy: $findings findings in src/, app/ and tests/ (the whole output: $log)"
    [ "$findings" = 0 ]
    ;;
  *)
    echo "usage: $0 start|test|tidy|package|install|deps" >&2
    exit 2
    ;;
esac
