#!/usr/bin/env bash
# The packages as a user meets them (CTest runs both):
#   package-test.sh release SOURCE WORK
#       tools/release into WORK/dist: the files, their checksums, the zips'
#       contents, and the x86 MSI's tables against the x64 one's (the
#       Debian package's own checks are the deb check's)
#   package-test.sh lifecycle SOURCE X64_BUILD WORK
#       in a fresh Wine prefix at 144 dots per inch: install, the file type
#       and the shortcut, a .qpx opened through its association, Quopra
#       Maker at 150%, upgrades, uninstall
#   package-test.sh deb SOURCE WORK
#       the Debian package of qpx: its contents and fields, lintian, the
#       licence, the program and manual page unpacked (mandoc -Tlint
#       clean), bash completion, and (as root,
#       where qpx is not installed) apt-get install, run and remove
set -euo pipefail

source "$2/tools/lib.sh"
source "$2/packaging/package.sh"
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
expect_equal() { [ "$2" = "$3" ] || fail "$1: expected '$3', got '$2'"; }
finish() {
  [ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
  echo "all checks passed"
}
# A table of an MSI without its header lines, sorted; binary columns name
# files that msiinfo writes into the working folder, the test's own.
table() { msiinfo export "$1" "$2" | tail -n +4 | tr -d '\r' | sort; }

# The MIT licence of LICENSE, as the file $2 holds it (CR LF on Windows):
# fails check $1 when it differs.
expect_licence() {
  expect_equal "$1" "$(tr -d '\r' <"$2")" "$(cat "$source/LICENSE")"
}

# PE machine of an executable: 014c for i386, 8664 for x86-64.
pe_machine() {
  local at
  at=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((at + 4)) -N2 "$1" | tr -d ' '
}

check_release() {
  local source=$1 work=$2
  local dist="$work/dist" version
  version=$(qpx_package_version)
  rm -rf "$work" && mkdir -p "$work" && cd "$work"
  QPX_DIST_DIR="$dist" "$source/tools/release" >"$work/release.log" 2>&1 ||
    { cat "$work/release.log" >&2; fail "tools/release failed"; finish; }
  (cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "SHA256SUMS does not match"
  expect_equal "files in SHA256SUMS" "$(awk '{print $2}' "$dist/SHA256SUMS" | sort | tr '\n' ' ')" \
    "qpx_${version}_amd64.deb quopra-$version-x64.msi quopra-$version-x64.zip quopra-$version-x86.msi quopra-$version-x86.zip quopra-web-$version.zip "
  local page="$work/zip-web"
  mkdir -p "$page" && (cd "$page" && unzip -q "$dist/quopra-web-$version.zip")
  expect_licence "web zip: LICENSE.txt" "$page/quopra-web-$version/LICENSE.txt"
  [ -f "$page/quopra-web-$version/index.html" ] || fail "web zip: no index.html"

  local arch machine
  for arch in x64 x86; do
    [ "$arch" = x64 ] && machine=8664 || machine=014c
    local unpacked="$work/zip-$arch" folder="quopra-$version-$arch"
    mkdir -p "$unpacked" && (cd "$unpacked" && unzip -q "$dist/$folder.zip")
    expect_equal "$arch zip" "$(cd "$unpacked" && find . -type f | sort | tr '\n' ' ')" \
      "./$folder/LICENSE.txt ./$folder/example/fix.qpx ./$folder/example/save.dat ./$folder/qpx.exe ./$folder/qpxdiff.exe ./$folder/qpxrun.exe ./$folder/readme.txt "
    expect_licence "$arch zip: LICENSE.txt" "$unpacked/$folder/LICENSE.txt"
    local extracted="$work/msi-$arch" program
    mkdir -p "$extracted" && (cd "$extracted" && msiextract -C . "$dist/$folder.msi" >/dev/null)
    expect_licence "$arch MSI: LICENSE.txt" "$(find "$extracted" -name LICENSE.txt | head -n 1)"
    for program in qpxrun.exe qpxdiff.exe qpx.exe; do
      expect_equal "$arch zip: $program's machine" "$(pe_machine "$unpacked/$folder/$program")" "$machine"
      expect_equal "$arch MSI: $program's machine" \
        "$(pe_machine "$(find "$extracted" -name "$program" | head -n 1)")" "$machine"
    done
  done

  # The file type is marked as unsafe to open from the internet
  # (FTA_AlwaysUnsafe, a REG_DWORD 0x00020000 written "#131072").
  expect_equal "x64 EditFlags row" \
    "$(table "$dist/quopra-$version-x64.msi" Registry | awk -F'\t' '$4 == "EditFlags" {print $2, $3, $5}')" \
    "0 Quopra.Script #131072"

  # The x86 package: the same file type, shortcut, upgrade rules and
  # properties as the x64 one (which the lifecycle installs), 32-bit
  # components in Program Files (x86).
  local x64="$dist/quopra-$version-x64.msi" x86="$dist/quopra-$version-x86.msi" name columns
  # Each table with the columns both packages share (a file's size differs).
  for name in Registry:1- Shortcut:1- Upgrade:1- LaunchCondition:1- Feature:1- Icon:1- File:1-3; do
    columns=${name#*:} name=${name%:*}
    expect_equal "x86 $name table" "$(table "$x86" "$name" | cut -f "$columns")" \
      "$(table "$x64" "$name" | cut -f "$columns")"
  done
  expect_equal "x86 Property table" "$(table "$x86" Property | grep -v ProductCode)" \
    "$(table "$x64" Property | grep -v ProductCode)"
  expect_equal "x86 install folder" "$(table "$x86" Directory | grep '^INSTALLDIR')" \
    "$(printf 'INSTALLDIR\tProgramFilesFolder\tQuopra')"
  expect_equal "x86 64-bit components" "$(table "$x86" Component | awk -F'\t' 'int($4 / 256) % 2 == 1')" ""
  expect_equal "x64 32-bit components" "$(table "$x64" Component | awk -F'\t' 'int($4 / 256) % 2 == 0')" ""
  expect_equal "x86 platform" "$(msiinfo suminfo "$x86" | sed -n 's/^Template: \([^;]*\);.*/\1/p')" Intel
  expect_equal "x86 version" "$(table "$x86" Property | awk -F'\t' '$1 == "ProductVersion" {print $2}')" \
    "$version"
  finish
}

# --- lifecycle -------------------------------------------------------------

wine_run() { env LC_ALL=ja_JP.UTF-8 wine "$@" </dev/null 2>>"$log"; }
msiexec_status() {
  local status=0
  wine_run msiexec "$@" /qn >>"$log" || status=$?
  wineserver -w
  echo "$status"
}
# The transcript; a failed plan ends with its ERROR line.
driver() { wine_run "$driver_exe" "$@" | tr -d '\r' || true; }
unix_path() { local path=${1#C:\\}; echo "$WINEPREFIX/drive_c/${path//\\//}"; }

# Fresh prefix at 144 dots per inch (150%), no desktop entries on the Linux
# side for the file type and the shortcut.
make_prefix() {
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  wineserver -k 2>/dev/null || true
  rm -rf "$WINEPREFIX" && mkdir -p "$WINEPREFIX"
  wine_run wineboot -i >>"$log"
  wine_run reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log"
  wine_run reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >>"$log"
  wineserver -w
}

# Every file and folder of drive C: and every registry key, for the
# comparison after the uninstallation. Left out: Wine's temporary folders
# and network cards (made anew as it starts), and the Windows Installer's
# own folder and empty tables of products, made by the first installation
# of any package (their entries for Quopra are compared).
snapshot() {
  (cd "$WINEPREFIX/drive_c" && find . | grep -v -i -e '/temp/' -e '/temp$' | sort) |
    grep -v -x './windows/Installer'
  grep -h '^\[' "$WINEPREFIX/system.reg" "$WINEPREFIX/user.reg" | sed 's/\] .*/]/' | sort |
    grep -v -x -E -e '\[Software\\\\Classes\\\\Installer\\\\(Features|Products|UpgradeCodes)\]' \
      -e '\[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Installer\\\\(UpgradeCodes|UserData\\\\S-1-5-18\\\\(Components|Products))\]' \
      -e '\[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\NetworkCards.*\]'
}

# The installed products named Quopra: "version publisher" per entry of
# Apps / Programs and Features.
quopra_entries() {
  wine_run reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s | tr -d '\r' |
    awk '/^HKEY/ { if (name == "Quopra") print version, publisher; name = version = publisher = "" }
         $1 == "DisplayName" { name = $3 } $1 == "DisplayVersion" { version = $3 }
         $1 == "Publisher" { publisher = $3 }
         END { if (name == "Quopra") print version, publisher }'
}

# The value as the driver reads it: "TYPE HEX" (REG_SZ is type 1). A
# driver that did not get to its end (Wine starting slowly on a busy
# machine) is asked once more, and what it printed goes to the log.
reg_value() {
  local transcript attempt
  for attempt in 1 2; do
    transcript=$(driver regvalue "$1" "${2:-}")
    tail -n 1 <<<"$transcript" | grep -qx done && break
    printf 'regvalue %s, attempt %s:\n%s\n' "$1" "$attempt" "$transcript" >>"$log"
  done
  awk '$1 == "regvalue" { print $2, $3 }' <<<"$transcript"
}
sz_hex() { printf '%s\0' "$1" | xxd -p -u | tr -d '\n'; }

shortcuts() {
  find "$WINEPREFIX/drive_c/ProgramData" "$WINEPREFIX/drive_c/users" -path '*Start Menu*' \
    -name 'Quopra Maker.lnk' 2>/dev/null
}

check_installed() {
  local version=$1 folder='C:\Program Files\Quopra'
  local name
  for name in qpxrun.exe qpxdiff.exe qpx.exe readme.txt LICENSE.txt; do
    [ -f "$(unix_path "$folder\\$name")" ] || fail "$version: $folder\\$name is missing"
  done
  local row key value
  for row in ".qpx|Quopra.Script" "Quopra.Script|Quopra Script" \
    "Quopra.Script\\DefaultIcon|\"$folder\\qpxrun.exe\",0" "Quopra.Script\\shell|open" \
    "Quopra.Script\\shell\\open\\command|\"$folder\\qpxrun.exe\" \"%1\"" \
    "Quopra.Script\\shell\\edit\\command|\"C:\\windows\\notepad.exe\" \"%1\""; do
    key=${row%%|*} value=${row#*|}
    expect_equal "$version: HKEY_CLASSES_ROOT\\$key" "$(reg_value "HKEY_CLASSES_ROOT\\$key")" \
      "1 $(sz_hex "$value")"
  done
  # FTA_AlwaysUnsafe (0x00020000): the shell asks before opening a script
  # from the internet.
  expect_equal "$version: Quopra.Script's EditFlags" \
    "$(reg_value 'HKEY_CLASSES_ROOT\Quopra.Script' EditFlags)" "4 00000200"
  local links
  links=$(shortcuts)
  expect_equal "$version: Start menu shortcuts" "$(basename "$links")" "Quopra Maker.lnk"
  # A shell link holds its target's path.
  [ -n "$links" ] && grep -a -q 'Quopra\\qpxdiff.exe' "$links" ||
    fail "$version: the shortcut does not lead to qpxdiff.exe"
  expect_equal "$version: Quopra entries" "$(quopra_entries)" "$version Quopra"
  local icon
  icon=$(wine_run reg query 'HKCR\Installer\Products' /s | tr -d '\r' |
    awk '$1 == "ProductIcon" { $1 = $2 = ""; sub(/^ +/, ""); print }')
  [ -n "$icon" ] && [ -f "$(unix_path "$icon")" ] || fail "$version: no product icon ('$icon')"
}

# A script opened as a double-click opens it: through the association.
check_association() {
  local case="$work/association"
  mkdir -p "$case" && cp "$source/examples/fix.qpx" "$source/examples/save.dat" "$case/"
  wine_run start /wait /unix "$case/fix.qpx" >>"$log"
  # fix.qpx: 0000 = FF; 0004 = 01XX03; 0010 to 0017 = AABB; 0018 =bit 1XXXXXX0.
  expect_equal "save.dat after opening fix.qpx" "$(xxd -p "$case/save.dat" | tr -d '\n')" \
    "ff112233015503778899aabbccddeeffaabbaabbaabbaabbfe7f7f7f00000000"
}

# Quopra Maker at 150%: the window at 144 dots per inch, the pane's font
# scaled to it (16 pixels at 96), and a screenshot for people to look at.
check_maker_at_150_percent() {
  local transcript
  transcript=$(driver launch 'C:\Program Files\Quopra\qpxdiff.exe' '' '' window display font \
    resize 960 600 screenshot "Z:${work//\//\\}\\qpxdiff-144.png" close exit)
  expect_equal "Quopra Maker's DPI" "$(awk '$1 == "display.dpi" {print $2}' <<<"$transcript")" 144
  local height
  height=$(awk '$1 == "font.height" {print $2}' <<<"$transcript")
  [ -n "$height" ] && [ $((height * 96 / 144)) -ge 14 ] && [ $((height * 96 / 144)) -le 18 ] ||
    fail "the pane's font is $height pixels at 144 dots per inch: not scaled from 16 at 96"
  tail -n 1 <<<"$transcript" | grep -qx done || fail "driver: $transcript"
}

check_lifecycle() {
  source=$1 work=$3 driver_exe="$2/tests/e2e/driver/qpxdrive.exe"
  log="$work/wine.log"
  rm -rf "$work" && mkdir -p "$work"
  local version newer
  version=$(qpx_package_version)
  newer=$(awk -F. -v OFS=. '{ $3 += 1; print }' <<<"$version")
  qpx_make_msi x64 "$version" "$2" "$work/first.msi"
  qpx_make_msi x64 "$version" "$2" "$work/rebuild.msi"
  qpx_make_msi x64 "$newer" "$2" "$work/newer.msi"
  make_prefix "$work/prefix"
  snapshot >"$work/before.txt"

  expect_equal "install $version" "$(msiexec_status /i "$(winepath_of "$work/first.msi")")" 0
  check_installed "$version"
  check_association
  check_maker_at_150_percent
  # A rebuild of the same version replaces it; so does a newer version; an
  # older one is refused (1603, of which a Linux exit status keeps the low
  # byte) and changes nothing.
  local step msi status expected
  for step in "rebuild 0 $version" "newer 0 $newer" "first $((1603 % 256)) $newer"; do
    read -r msi status expected <<<"$step"
    expect_equal "install $msi.msi" "$(msiexec_status /i "$(winepath_of "$work/$msi.msi")")" "$status"
    expect_equal "after $msi.msi: Quopra entries" "$(quopra_entries)" "$expected Quopra"
  done
  check_installed "$newer"

  expect_equal "uninstall" "$(msiexec_status /x "$(winepath_of "$work/newer.msi")")" 0
  snapshot >"$work/after.txt"
  diff "$work/before.txt" "$work/after.txt" >"$work/left.txt" ||
    fail "the uninstallation did not remove exactly what was installed:$(printf '\n%s' "$(cat "$work/left.txt")")"
  expect_equal "after uninstall: Quopra entries" "$(quopra_entries)" ""
  expect_equal "after uninstall: .qpx" "$(reg_value 'HKEY_CLASSES_ROOT\.qpx')" "missing "
  expect_equal "after uninstall: shortcuts" "$(shortcuts)" ""
  wineserver -k 2>/dev/null || true
  finish
}
winepath_of() { echo "Z:${1//\//\\}"; }


# --- the Debian package ------------------------------------------------------

# What bash completes for the words of a command line, the last one being
# completed: the candidates, space-separated.
completions() {
  bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _qpx
           echo "${COMPREPLY[*]}"' completion "$completion" "$@"
}

check_deb_contents() {
  local deb=$1 version=$2
  expect_equal "package files" "$(dpkg-deb -c "$deb" | awk '{print $1, $2, $6}' | sort | tr '\n' ';')" \
    "$(printf '%s;' "-rw-r--r-- root/root ./usr/share/bash-completion/completions/qpx" \
      "-rw-r--r-- root/root ./usr/share/doc/qpx/changelog.gz" \
      "-rw-r--r-- root/root ./usr/share/doc/qpx/copyright" \
      "-rw-r--r-- root/root ./usr/share/man/man1/qpx.1.gz" "-rwxr-xr-x root/root ./usr/bin/qpx" \
      "drwxr-xr-x root/root ./" "drwxr-xr-x root/root ./usr/" "drwxr-xr-x root/root ./usr/bin/" \
      "drwxr-xr-x root/root ./usr/share/" "drwxr-xr-x root/root ./usr/share/bash-completion/" \
      "drwxr-xr-x root/root ./usr/share/bash-completion/completions/" \
      "drwxr-xr-x root/root ./usr/share/doc/" "drwxr-xr-x root/root ./usr/share/doc/qpx/" \
      "drwxr-xr-x root/root ./usr/share/man/" "drwxr-xr-x root/root ./usr/share/man/man1/")"
  expect_equal "package fields" "$(dpkg-deb -f "$deb" Package Version Architecture Section)" \
    "$(printf 'Package: qpx\nVersion: %s\nArchitecture: amd64\nSection: utils' "$version")"
  dpkg-deb -f "$deb" Depends | grep -q 'libc6 (>= ' || fail "Depends does not name libc6"
  lintian --fail-on error,warning "$deb" >"$work/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.log")"
  expect_equal "lintian's errors and warnings" "$(grep -E '^[EW]: ' "$work/lintian.log" || true)" ""
}

# The copyright file in DEP-5 form: the MIT licence (Debian's name for it
# is Expat), word for word as LICENSE has it after its title and copyright.
check_deb_copyright() {
  local copyright=$1
  expect_equal "copyright holder" "$(sed -n 's/^Copyright: //p' "$copyright")" "2026 The Quopra authors"
  expect_equal "copyright licence" "$(sed -n 's/^License: //p' "$copyright")" "Expat"
  expect_equal "copyright licence text" \
    "$(sed -n '/^License: /,$p' "$copyright" | tail -n +2 | sed -e 's/^ //' -e 's/^\.$//')" \
    "$(tail -n +5 "$source/LICENSE")"
}

check_deb_unpacked() {
  local deb=$1 version=$2 root="$work/unpacked"
  dpkg -x "$deb" "$root"
  expect_equal "unpacked qpx --version" "$("$root/usr/bin/qpx" --version | head -n 1)" "qpx $version"
  expect_equal "unpacked qpx --version's licence" \
    "$("$root/usr/bin/qpx" --version | sed -n 2,3p)" \
    "$(printf 'Copyright (C) 2026 The Quopra authors\nLicense MIT: <https://opensource.org/license/mit>')"
  check_deb_copyright "$root/usr/share/doc/qpx/copyright"
  local page warnings
  warnings=$(man --warnings -E UTF-8 -l "$root/usr/share/man/man1/qpx.1.gz" 2>&1 >/dev/null)
  expect_equal "man's warnings on qpx.1" "$warnings" ""
  expect_equal "mandoc -Tlint on qpx.1" "$(mandoc -Tlint "$root/usr/share/man/man1/qpx.1.gz" 2>&1)" ""
  page=$(MANWIDTH=80 man -E UTF-8 -l "$root/usr/share/man/man1/qpx.1.gz" 2>/dev/null)
  local heading
  for heading in NAME SYNOPSIS COMMANDS "THE SCRIPT LANGUAGE IN SHORT" "EXIT STATUS" FILES EXAMPLES; do
    grep -qx "$heading" <<<"$page" || fail "the manual page has no section $heading"
  done
  completion="$root/usr/share/bash-completion/completions/qpx"
  expect_equal "completion of the command" "$(completions qpx "")" \
    "run check diff list --lang --help --version"
  expect_equal "completion of ch" "$(completions qpx ch)" "check"
  expect_equal "completion of diff's options" "$(completions qpx diff a b --)" \
    "--output --reverse --lang --help"
  expect_equal "completion of --lang" "$(completions qpx --lang "")" "ja en"
  expect_equal "completion of list's options after --lang" "$(completions qpx --lang ja list -)" \
    "--raw --lang --help"
  # "--lang=" and "--target=", as bash cuts them at the "=" and as one word
  # where "=" is no word break.
  expect_equal "completion of --lang=" "$(completions qpx --lang =)" "ja en"
  expect_equal "completion of --lang=e" "$(completions qpx --lang = e)" "en"
  expect_equal "completion of the word --lang=j" "$(completions qpx --lang=j)" "--lang=ja"
  expect_equal "completion of list's options after --lang=ja" \
    "$(completions qpx --lang = ja list --r)" "--raw"
  local files="$work/completed"
  mkdir -p "$files" && touch "$files/target.bin" "$files/other.qpx"
  expect_equal "completion of --target=" \
    "$(cd "$files" && completions qpx run s.qpx --target = ta)" "target.bin"
  expect_equal "completion of the word --target=" \
    "$(cd "$files" && completions qpx check s.qpx --target=ta)" "--target=target.bin"
  expect_equal "completion of -o" "$(cd "$files" && completions qpx diff a b -o o)" "other.qpx"
}

# apt-get install, qpx from the PATH, apt-get remove: nothing of the
# package may stay behind. Left out where qpx is installed already, which
# the check would remove.
check_deb_installs() {
  local deb=$1 version=$2
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  if dpkg-query -W -f='${Status}' qpx 2>/dev/null | grep -q 'ok installed'; then
    echo "qpx is installed on this machine: the install and remove check is left out"
    return
  fi
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q "$deb" >"$work/apt.log" 2>&1 ||
    { fail "apt-get install: $(cat "$work/apt.log")"; return; }
  local files
  files=$(dpkg -L qpx | grep -v -x -e '/.' -e '/usr' -e '/usr/bin' -e '/usr/share' -e '/usr/share/doc' \
    -e '/usr/share/man' -e '/usr/share/man/man1' -e '/usr/share/bash-completion' \
    -e '/usr/share/bash-completion/completions')
  expect_equal "installed qpx --version" "$(env PATH=/usr/bin:/bin qpx --version | head -n 1)" "qpx $version"
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove -y -q qpx >>"$work/apt.log" 2>&1 ||
    fail "apt-get remove: $(cat "$work/apt.log")"
  local left
  left=$(for file in $files; do [ ! -e "$file" ] || echo "$file"; done)
  expect_equal "files left after apt-get remove" "$left" ""
  expect_equal "qpx's state after apt-get remove" \
    "$(dpkg-query -W -f='${Status}' qpx 2>/dev/null || true)" ""
}

check_deb() {
  source=$1
  work=$2
  rm -rf "$work" && mkdir -p "$work"
  local version deb
  version=$(qpx_package_version)
  deb="$work/qpx_${version}_amd64.deb"
  qpx_build_deb_program >"$work/build.log" 2>&1 || { cat "$work/build.log" >&2; fail "build"; finish; }
  qpx_make_deb amd64 "$version" "$QPX_ROOT/build/deb-amd64/console/qpx" "$deb" ||
    { fail "qpx_make_deb"; finish; }
  check_deb_contents "$deb" "$version"
  check_deb_unpacked "$deb" "$version"
  check_deb_installs "$deb" "$version"
  finish
}

case "$1" in
  release) check_release "$2" "$3" ;;
  deb) check_deb "$2" "$3" ;;
  lifecycle) check_lifecycle "$2" "$3" "$4" ;;
  *)
    echo "package-test.sh: unknown check '$1'" >&2
    exit 2
    ;;
esac
