#!/usr/bin/env bash
# A Wine prefix of the end-to-end tests, as a CTest fixture.
#   wine-prefix.sh setup PREFIX LOCALES CODEPAGE DRIVER_EXE  fresh prefix, persistent server, ACP check
#   wine-prefix.sh cleanup PREFIX LOCALES CODEPAGE           stops that prefix's server
# CODEPAGE is the ANSI code page Wine is to run with: 932 (the locale
# ja_JP.UTF-8) or 1252 (en_US.UTF-8). LOCALES is a folder for that locale:
# without it Wine maps the Japanese file names of the tests to ASCII on the
# Linux side.
set -euo pipefail
source "$(dirname "$0")/../../tools/lib.sh"

action=$1
export WINEPREFIX=$2
export LOCPATH=$3
codepage=$4
case "$codepage" in
  932) locale=ja_JP ;;
  1252) locale=en_US ;;
  *)
    echo "wine-prefix.sh: no locale for code page '$codepage'" >&2
    exit 1
    ;;
esac
export LC_ALL=$locale.UTF-8 WINEDLLOVERRIDES=mscoree,mshtml= WINEDEBUG=-all
log="$WINEPREFIX.log"

# Wine's helper processes outlive the commands that start them: they must not
# hold CTest's output pipe, so every Wine command writes to the log.
quiet() { "$@" </dev/null 2>>"$log" >>"${QUIET_OUT:-$log}"; }
fail() {
  echo "wine-prefix.sh: $*" >&2
  [ -f "$log" ] && tail -n 20 "$log" >&2
  exit 1
}

case "$action" in
  setup)
    driver=$5
    [ -n "${DISPLAY:-}" ] ||
      fail "DISPLAY is not set: the end-to-end tests need an X display (start Xvfb and export DISPLAY, or run tools/test)"
    quiet wineserver -k || true # a server left running by an earlier run
    rm -rf "$WINEPREFIX" "$log" "$LOCPATH"
    mkdir -p "$WINEPREFIX" "$LOCPATH"
    qpx_make_locales "$LOCPATH" "$locale" 2>>"$log" || fail "cannot build the $LC_ALL locale"
    quiet wineserver -p || fail "cannot start a persistent wineserver"
    quiet wineboot -i || fail "wineboot -i failed"
    # Without a window manager every hidden window would wait 2 s.
    quiet wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f ||
      fail "cannot set Managed=N"
    QUIET_OUT="$WINEPREFIX.acp" quiet wine "$driver" acp || true
    acp=$(tr -d '\r' <"$WINEPREFIX.acp" | head -n 1)
    [ "$acp" = "acp $codepage" ] || fail "the driver's ANSI code page is not $codepage: '$acp'"
    echo "Wine prefix ready: $WINEPREFIX ($acp)"
    ;;
  cleanup)
    quiet wineserver -k || true
    echo "Wine server of $WINEPREFIX stopped"
    ;;
  *)
    fail "unknown action '$action'"
    ;;
esac
