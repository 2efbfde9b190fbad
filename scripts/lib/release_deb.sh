#!/usr/bin/env bash
# Packs a Linux build into the Debian package (see scripts/release):
#
#     release_deb.sh BUILD_DIR DIST_DIR
#
# writes DIST_DIR/lumaseek-cli_VERSION_ARCH.deb and prints its path: the build's
# `cmake --install` under /usr with the programs stripped, the manual pages and
# the changelog gzipped and the copyright file of packaging/debian; dpkg-shlibdeps
# computes Depends and dpkg-gencontrol the control file. The same build gives the
# same bytes: every file has the same time (SOURCE_DATE_EPOCH, by default the
# time of the checked-out commit), fixed modes and root as owner, and dpkg-deb
# packs them in sorted order.
set -euo pipefail
if (( $# != 2 )); then echo "usage: release_deb.sh BUILD_DIR DIST_DIR" >&2; exit 2; fi
repo=$(cd "$(dirname "$0")/../.." && pwd)
build_dir=$1
dist_dir=$2

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build_dir/CMakeCache.txt")
logged=$(dpkg-parsechangelog -l "$repo/packaging/debian/changelog" -S Version)
if [[ $version != "$logged" ]]; then
  echo "release_deb: the project is version $version, packaging/debian/changelog's newest entry $logged" >&2
  exit 1
fi
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$repo" log -1 --format=%ct)}

# A source tree's debian/ folder, as dpkg-shlibdeps and dpkg-gencontrol expect it.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/debian/lumaseek-cli
mkdir -p "$root/DEBIAN"
cp "$repo"/packaging/debian/{control,changelog} "$work/debian/"

DESTDIR=$root cmake --install "$build_dir" --prefix /usr >/dev/null
doc=$root/usr/share/doc/lumaseek-cli
mv "$root/usr/share/doc/lumaseek" "$doc"
rm "$doc/LICENSE"  # the copyright file holds it
cp "$repo/packaging/debian/copyright" "$doc/"
# A native package: the Debian changelog is the package's changelog.
gzip -9n <"$repo/packaging/debian/changelog" >"$doc/changelog.gz"
gzip -9n "$root"/usr/share/man/man1/*
# As dh_strip does: no symbols and no compiler notes; the build id stays.
strip --remove-section=.comment --remove-section=.note --strip-unneeded "$root"/usr/bin/*

(cd "$work" && dpkg-shlibdeps -Tdebian/substvars debian/lumaseek-cli/usr/bin/* &&
  dpkg-gencontrol -plumaseek-cli -Tdebian/substvars -Pdebian/lumaseek-cli -fdebian/files)
(cd "$root" && find usr -type f | LC_ALL=C sort | xargs md5sum >DEBIAN/md5sums)
find "$root" -type d -exec chmod 0755 {} +
find "$root" -type f -exec chmod 0644 {} +
chmod 0755 "$root"/usr/bin/*
find "$root" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p "$dist_dir"
deb=$dist_dir/lumaseek-cli_${version}_$(dpkg --print-architecture).deb
dpkg-deb --root-owner-group -Zxz --build "$root" "$deb" >/dev/null
echo "$deb"
