#!/usr/bin/env bash
# Builds the Debian package build/korvel_VERSION_ARCH.deb: the release build
# installed under /usr into a staging folder (stripped), the manual pages and
# the changelog compressed, the runtime dependencies computed from the
# programs by dpkg-shlibdeps, the copyright file in its place.
# MAINTAINER="Name <address>" in the environment names the package's maintainer.
set -euo pipefail
cd "$(dirname "$0")/.."
umask 022
bash scripts/install-deps.sh --package
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target korvel korvel-sync korvel-render korvel-compose korvel_data korvel_show_module

VERSION="$(build/korvel --version | cut -d' ' -f2)"
ARCH="$(dpkg --print-architecture)"
MAINTAINER="${MAINTAINER:-The korvel developers <korvel@example.org>}"
WORK="$PWD/build/package"
ROOT="$WORK/root"
DOC="$ROOT/usr/share/doc/korvel"
rm -rf "$WORK"
mkdir -p "$ROOT/DEBIAN" "$WORK/debian"

DESTDIR="$ROOT" cmake --install build --prefix /usr --strip >/dev/null
gzip -9n "$ROOT"/usr/share/man/man1/*.1
# The build's date keeps two packages of the same commit identical.
DATE="$(git log -1 --format=%cD 2>/dev/null || date -R)"
printf 'korvel (%s) unstable; urgency=medium\n\n  * Built from commit %s.\n\n -- %s  %s\n' \
  "$VERSION" "$(git rev-parse --short HEAD 2>/dev/null || echo unknown)" "$MAINTAINER" "$DATE" |
  gzip -9n >"$DOC/changelog.gz"

# dpkg-shlibdeps reads the package names from a control file of the source.
printf 'Source: korvel\n\nPackage: korvel\nArchitecture: any\n' >"$WORK/debian/control"
DEPENDS="$(cd "$WORK" && dpkg-shlibdeps -O "$ROOT"/usr/bin/* | sed -n 's/^shlibs:Depends=//p')"

cat >"$ROOT/DEBIAN/control" <<CONTROL
Package: korvel
Version: $VERSION
Architecture: $ARCH
Maintainer: $MAINTAINER
Installed-Size: $(du -sk --exclude=DEBIAN "$ROOT" | cut -f1)
Depends: $DEPENDS
Suggests: asciinema, ffmpeg
Section: misc
Priority: optional
Description: real-time audiovisual demo for text terminals
 A tracker module plays, and in step with it korvel renders its scenes of
 dinosaurs, tunnels, rotozoomers and graffiti into a 160 x 100 canvas and
 shows every frame as a grid of coloured character cells in the terminal.
 The module carries the whole show as sync bytes, so a module and a script of
 your own make another show (korvel-sync compiles the script in).
 .
 The show can also be rendered without a terminal into a terminal recording,
 a WAV file, a video or pictures. Warning: the show flashes and strobes.
CONTROL
(cd "$ROOT" && find usr -type f -print0 | sort -z | xargs -0 md5sum >DEBIAN/md5sums)

DEB="build/korvel_${VERSION}_${ARCH}.deb"
dpkg-deb --root-owner-group -Zxz --build "$ROOT" "$DEB" >/dev/null
echo "package: $DEB"
