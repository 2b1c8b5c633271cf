# Making the packages: the MSI installers (wixl), the portable zips and
# the Debian package of qpx. Sourced by tools/release and by the package
# tests.
# shellcheck shell=bash

QPX_PACKAGING_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# What making and checking the packages needs: wixl builds the MSI,
# msitools reads, mends and unpacks it; zip and unzip; dpkg-dev gives the
# Debian build flags and the shared libraries' dependencies, lintian
# checks the package, man-db reads its manual page and mandoc lints it.
QPX_PACKAGE_PACKAGES=(wixl msitools zip unzip dpkg-dev lintian man-db mandoc)

# Quopra's one version, which the build also stamps into the programs.
qpx_package_version() { tr -d ' \r\n' <"$QPX_PACKAGING_DIR/VERSION"; }

# Copies what both packages carry into $2: the three programs of the mingw
# build folder $1, the readme, as Notepad reads it best (UTF-8 with a
# byte order mark, CR LF), and the licence (CR LF).
qpx_stage_programs() {
  local build=$1 stage=$2
  mkdir -p "$stage"
  cp "$build/qpxrun/qpxrun.exe" "$build/qpxdiff/qpxdiff.exe" "$build/console/qpx.exe" "$stage/"
  { printf '\xEF\xBB\xBF'; sed 's/$/\r/' "$QPX_PACKAGING_DIR/readme.txt"; } >"$stage/readme.txt"
  sed 's/$/\r/' "$QPX_PACKAGING_DIR/../LICENSE" >"$stage/LICENSE.txt"
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
# quopra-VERSION-ARCH with the programs, the readme, the licence and the
# example.
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

# qpx_make_web_zip VERSION PAGE_DIR OUTPUT: the page, one folder
# quopra-web-VERSION with its static files, the example and the licence, to
# open from disk or put on any static host.
qpx_make_web_zip() {
  local version=$1 page=$2 output=$3
  local stage folder="quopra-web-$version"
  stage=$(mktemp -d)
  mkdir -p "$stage/$folder/example"
  cp "$page"/*.html "$page"/*.js "$page"/*.css "$stage/$folder/"
  cp "$QPX_PACKAGING_DIR/../examples/"* "$stage/$folder/example/"
  cp "$QPX_PACKAGING_DIR/../LICENSE" "$stage/$folder/LICENSE.txt"
  mkdir -p "$(dirname "$output")"
  output=$(cd "$(dirname "$output")" && pwd)/$(basename "$output")
  rm -f "$output"
  (cd "$stage" && zip -q -X -r "$output" "$folder") || { rm -rf "$stage"; return 1; }
  rm -rf "$stage"
}

# --- the Debian package -----------------------------------------------------

QPX_DEBIAN_DIR="$QPX_PACKAGING_DIR/debian"

# Builds qpx alone into build/deb-amd64 with Debian's build flags,
# hardening included.
qpx_build_deb_program() {
  local cppflags cxxflags ldflags
  export DEB_BUILD_MAINT_OPTIONS=hardening=+all
  cppflags=$(dpkg-buildflags --get CPPFLAGS)
  cxxflags=$(dpkg-buildflags --get CXXFLAGS)
  ldflags=$(dpkg-buildflags --get LDFLAGS)
  qpx_build deb-amd64 "-DCMAKE_CXX_FLAGS=$cppflags $cxxflags" "-DCMAKE_EXE_LINKER_FLAGS=$ldflags"
}

# The version of the newest entry of the package's changelog.
qpx_changelog_version() { sed -n '1s/^qpx (\([^)]*\)).*/\1/p' "$QPX_DEBIAN_DIR/changelog"; }

# The Depends field for the program $1: the packages of its shared
# libraries, as dpkg-shlibdeps finds them.
qpx_deb_depends() {
  local program=$1 work
  work=$(mktemp -d)
  mkdir -p "$work/debian"
  printf 'Source: qpx\n\nPackage: qpx\nArchitecture: any\n' >"$work/debian/control"
  (cd "$work" && dpkg-shlibdeps -O "$program") | sed -n 's/^shlibs:Depends=//p'
  rm -rf "$work"
}

# Lays out in $2 what the package of the built qpx $1 installs: the
# program stripped, its manual page, its bash completion, the copyright
# and the changelog, as Debian lays them out.
qpx_stage_deb() {
  local program=$1 stage=$2
  local doc="$stage/usr/share/doc/qpx"
  install -d -m 0755 "$stage" "$stage/DEBIAN" "$stage/usr/bin" "$stage/usr/share/man/man1" "$doc" \
    "$stage/usr/share/bash-completion/completions"
  install -m 0755 "$program" "$stage/usr/bin/qpx"
  strip --remove-section=.comment --remove-section=.note --strip-unneeded "$stage/usr/bin/qpx"
  gzip -9n <"$QPX_DEBIAN_DIR/qpx.1" >"$stage/usr/share/man/man1/qpx.1.gz"
  install -m 0644 "$QPX_DEBIAN_DIR/qpx.bash-completion" \
    "$stage/usr/share/bash-completion/completions/qpx"
  install -m 0644 "$QPX_DEBIAN_DIR/copyright" "$doc/copyright"
  gzip -9n <"$QPX_DEBIAN_DIR/changelog" >"$doc/changelog.gz"
  chmod 0644 "$stage/usr/share/man/man1/qpx.1.gz" "$doc/changelog.gz"
}

# Writes the control file and the checksums of the staged package $1.
qpx_control_deb() {
  local stage=$1 arch=$2 version=$3 depends size
  depends=$(qpx_deb_depends "$stage/usr/bin/qpx")
  [ -n "$depends" ]
  size=$(du -k -s --exclude=DEBIAN "$stage" | cut -f 1)
  sed -e "s/@VERSION@/$version/" -e "s/@ARCH@/$arch/" -e "s/@SIZE@/$size/" \
    -e "s/@DEPENDS@/$depends/" "$QPX_DEBIAN_DIR/control" >"$stage/DEBIAN/control"
  (cd "$stage" && find usr -type f -print0 | sort -z | xargs -0 md5sum) >"$stage/DEBIAN/md5sums"
  chmod 0644 "$stage/DEBIAN/control" "$stage/DEBIAN/md5sums"
}

# qpx_make_deb ARCH VERSION PROGRAM OUTPUT: the Debian package of the built
# qpx PROGRAM as OUTPUT.
qpx_make_deb() {
  local arch=$1 version=$2 program=$3 output=$4
  if [ "$(qpx_changelog_version)" != "$version" ]; then
    echo "packaging/debian/changelog's newest entry is not version $version" >&2
    return 1
  fi
  local stage status=0
  stage=$(mktemp -d)
  mkdir -p "$(dirname "$output")"
  (
    set -e
    qpx_stage_deb "$program" "$stage"
    qpx_control_deb "$stage" "$arch" "$version"
    dpkg-deb --root-owner-group -Zxz --build "$stage" "$output" >/dev/null
  ) || status=$?
  rm -rf "$stage"
  return "$status"
}
