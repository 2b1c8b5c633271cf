# Shared helpers of the project's scripts: installing what a build or test
# needs, a display for Wine, and a fresh Wine prefix.
# shellcheck shell=bash

QPX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs every listed Debian package that is missing; does nothing (and
# asks no package server) when all are present.
qpx_ensure_packages() {
  local missing=()
  local package
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
      missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
}

# What building the programs needs, and Python for tools/mutate and its test.
QPX_BUILD_PACKAGES=(cmake ninja-build g++ make mingw-w64 libgtest-dev libbenchmark-dev python3)
# What building and running the 32-bit Linux core needs: gcc's 32-bit
# libraries (no i386 architecture is added) and the emulator that runs them.
QPX_X86_PACKAGES=(g++-multilib qemu-user-static)
# What running them under Wine needs: a fixed-pitch Japanese font
# (IPAGothic), and beside it the fonts a desktop commonly has that make
# qpxdiff's choice of its pane's font harder: Droid Sans Fallback (pulled in
# by ImageMagick and Ghostscript), which has Japanese in variable pitch and
# is what the system substitutes for a Japanese face it lacks, and
# WenQuanYi Zen Hei, another Chinese-and-Japanese face in variable and
# fixed pitch.
QPX_WINE_PACKAGES=(wine wine64 xvfb xauth fonts-ipafont-gothic fonts-droid-fallback
  fonts-wqy-zenhei xxd locales)
# What building and testing the page needs: the emscripten compiler, the
# generator of its CP932 tables (glibc's iconv through Python), Node for
# the tests, and the browsers they drive.
QPX_WEB_PACKAGES=(emscripten python3 nodejs chromium firefox-esr)
# What tools/bench needs beside the build: the competitors, the timing and
# plotting tools, and the micro-benchmarks' library.
QPX_BENCH_PACKAGES=(hyperfine xdelta3 gnuplot-nox time libbenchmark-dev jq)

# Starts Xvfb on a free display when no display is set, and exports DISPLAY.
qpx_ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local number=90
  while [ -e "/tmp/.X${number}-lock" ] || [ -e "/tmp/.X11-unix/X${number}" ]; do
    number=$((number + 1))
  done
  Xvfb ":${number}" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  QPX_XVFB_PID=$!
  export DISPLAY=":${number}"
  local tries=0
  until [ -e "/tmp/.X11-unix/X${number}" ] || [ $tries -ge 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  trap 'kill "$QPX_XVFB_PID" 2>/dev/null' EXIT
}

# Makes each UTF-8 locale named after the folder (ja_JP, en_US) in that
# folder, where it is not there yet, and exports LOCPATH to it. Wine takes
# its ANSI code page from LC_ALL, but keeps Linux file names UTF-8 only
# where that locale exists, and a fresh machine has none but C.utf8.
qpx_make_locales() {
  local folder=$1
  shift
  mkdir -p "$folder"
  local locale
  for locale in "$@"; do
    [ -f "$folder/$locale.UTF-8/LC_CTYPE" ] && continue
    # localedef fails on mere warnings too, but has written the locale then.
    localedef -i "$locale" -f UTF-8 "$folder/$locale.UTF-8" >/dev/null 2>&1 ||
      [ -f "$folder/$locale.UTF-8/LC_CTYPE" ] || {
      echo "cannot build the $locale.UTF-8 locale (is Debian's locales package installed?)" >&2
      return 1
    }
  done
  export LOCPATH=$folder
}

# The environment every Wine run of the project uses: no installer dialogs,
# and (through qpx_wine) a Japanese ANSI code page under a locale made here.
qpx_wine_environment() {
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export WINEDEBUG=-all
  qpx_make_locales "$QPX_ROOT/build/locale" ja_JP en_US
}

qpx_wine() { env LC_ALL=ja_JP.UTF-8 wine "$@"; }

# Makes a fresh Wine prefix in $1 and exports WINEPREFIX.
qpx_make_wine_prefix() {
  rm -rf "$1"
  mkdir -p "$1"
  export WINEPREFIX="$1"
  env LC_ALL=ja_JP.UTF-8 wineboot -i >/dev/null 2>&1
  # Without a window manager, unmanaged windows avoid a 2 s wait per window.
  qpx_wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wineserver -w
}

# Builds the page into build/web/ (Debian's emscripten finds acorn only
# through NODE_PATH on this Node), and installs what its browser tests
# drive Chromium and Firefox with, exactly as locked, without downloading
# a browser.
qpx_build_page() {
  NODE_PATH=/usr/share/nodejs qpx_build web
  (cd "$QPX_ROOT/tests/web" && PLAYWRIGHT_SKIP_BROWSER_DOWNLOAD=1 PUPPETEER_SKIP_DOWNLOAD=1 \
    npm ci --no-audit --no-fund >/dev/null)
}

# Configures (once) and builds one preset.
qpx_build() {
  local preset=$1
  shift
  (cd "$QPX_ROOT" && cmake --preset "$preset" "$@" >/dev/null && cmake --build --preset "$preset")
}
