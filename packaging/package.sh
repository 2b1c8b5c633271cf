# Making the packages: the MSI installers (wixl) and the portable zips.
# Sourced by tools/release and by the package tests.
# shellcheck shell=bash

QPX_PACKAGING_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# What making and checking the packages needs: wixl builds the MSI,
# msitools reads, mends and unpacks it; zip and unzip.
QPX_PACKAGE_PACKAGES=(wixl msitools zip unzip)

# The one version of the packages (the programs' own version resources
# keep theirs).
qpx_package_version() { tr -d ' \r\n' <"$QPX_PACKAGING_DIR/VERSION"; }

# Copies what both packages carry into $2: the three programs of the mingw
# build folder $1 and the readme, as Notepad reads it best (UTF-8 with a
# byte order mark, CR LF).
qpx_stage_programs() {
  local build=$1 stage=$2
  mkdir -p "$stage"
  cp "$build/qpxrun/qpxrun.exe" "$build/qpxdiff/qpxdiff.exe" "$build/console/qpx.exe" "$stage/"
  { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$QPX_PACKAGING_DIR/readme.txt"; } >"$stage/readme.txt"
}

# qpx_make_msi ARCH VERSION BUILD_DIR OUTPUT: the installer of the
# programs of BUILD_DIR (a mingw build for ARCH, x64 or x86) as OUTPUT.
qpx_make_msi() {
  local arch=$1 version=$2 build=$3 output=$4
  local stage
  stage=$(mktemp -d)
  qpx_stage_programs "$build" "$stage"
  cp "$QPX_PACKAGING_DIR/../qpxrun/qpxrun.ico" "$stage/"
  mkdir -p "$(dirname "$output")"
  output=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")
  # wixl finds the files named in the source in its working folder.
  (cd "$stage" && wixl -a "$arch" -D "Version=$version" -D "Arch=$arch" -o "$output" \
    "$QPX_PACKAGING_DIR/quopra.wxs") || { rm -rf "$stage"; return 1; }
  qpx_include_same_version_in_upgrade "$output" "$stage" || { rm -rf "$stage"; return 1; }
  rm -rf "$stage"
}

# wixl drops IncludeMaximum: a rebuild of the same version (a new product
# code) would then be installed beside the old one instead of replacing
# it. Sets msidbUpgradeAttributesVersionMaxInclusive (512) on the row that
# finds older installations.
qpx_include_same_version_in_upgrade() {
  local msi=$1 work=$2
  msiinfo export "$msi" Upgrade >"$work/Upgrade.idt" || return 1
  awk -F'\t' -v OFS='\t' '$7 ~ /^OLDER_QUOPRA_FOUND/ && int($5 / 512) % 2 == 0 { $5 += 512 } 1' \
    "$work/Upgrade.idt" >"$work/Upgrade.fixed" || return 1
  mv "$work/Upgrade.fixed" "$work/Upgrade.idt"
  msibuild "$msi" -i "$work/Upgrade.idt"
}

# qpx_make_zip ARCH VERSION BUILD_DIR OUTPUT: the portable zip, one folder
# quopra-VERSION-ARCH with the programs, the readme and the example.
qpx_make_zip() {
  local arch=$1 version=$2 build=$3 output=$4
  local stage folder="quopra-$version-$arch"
  stage=$(mktemp -d)
  qpx_stage_programs "$build" "$stage/$folder"
  mkdir -p "$stage/$folder/example"
  cp "$QPX_PACKAGING_DIR/../examples/fix.qpx" "$QPX_PACKAGING_DIR/../examples/save.dat" \
    "$stage/$folder/example/"
  mkdir -p "$(dirname "$output")"
  output=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")
  rm -f "$output"
  (cd "$stage" && zip -q -X -r "$output" "$folder") || { rm -rf "$stage"; return 1; }
  rm -rf "$stage"
}
