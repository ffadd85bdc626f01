#!/usr/bin/env bash
# Builds a static libopenmpt for 64-bit Windows from the Debian source package
# with the MinGW-w64 toolchain, into DEPS (default build-windows/deps).
# Skipped when DEPS already holds the library. The machine's own apt
# configuration is left untouched: the source entries are derived into a
# private folder from the archive the machine is configured with.
set -euo pipefail
cd "$(dirname "$0")/.."
DEPS="$(realpath -m "${1:-build-windows/deps}")"
HOST=x86_64-w64-mingw32

if [ -f "$DEPS/lib/libopenmpt.a" ] && [ -f "$DEPS/lib/pkgconfig/libopenmpt.pc" ]; then
  echo "build-libopenmpt-windows: $DEPS already holds libopenmpt"
  exit 0
fi

WORK="$DEPS/work"
APT="$WORK/apt"
rm -rf "$WORK"
mkdir -p "$APT/parts" "$APT/lists/partial" "$APT/cache/archives/partial" "$WORK/src"

# The binary entries the machine uses, turned into source entries.
if [ -f /etc/apt/sources.list ]; then
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >"$APT/sources.list"
else
  : >"$APT/sources.list"
fi
for f in /etc/apt/sources.list.d/*.sources; do
  [ -e "$f" ] || continue
  sed 's/^Types:.*$/Types: deb-src/' "$f" >"$APT/parts/$(basename "$f")"
done
for f in /etc/apt/sources.list.d/*.list; do
  [ -e "$f" ] || continue
  sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >"$APT/parts/$(basename "$f")"
done

APT_OPTIONS=(
  -o "Dir::Etc::SourceList=$APT/sources.list"
  -o "Dir::Etc::SourceParts=$APT/parts"
  -o "Dir::State::Lists=$APT/lists"
  -o "Dir::Cache=$APT/cache"
  # The files land in a folder of ours, which apt's unprivileged user cannot write.
  -o "APT::Sandbox::User=root"
)
echo "build-libopenmpt-windows: fetching the source package"
apt-get "${APT_OPTIONS[@]}" update -qq
# The version the Linux build links against, when the archive still has it.
VERSION="$(dpkg-query -W -f='${Version}' libopenmpt-dev 2>/dev/null || true)"
PACKAGE=libopenmpt
if [ -n "$VERSION" ] && apt-cache "${APT_OPTIONS[@]}" showsrc "libopenmpt=$VERSION" 2>/dev/null | grep -q '^Version:'; then
  PACKAGE="libopenmpt=$VERSION"
fi
(cd "$WORK/src" && apt-get "${APT_OPTIONS[@]}" source -qq "$PACKAGE" >/dev/null)
SOURCE="$(find "$WORK/src" -mindepth 1 -maxdepth 1 -type d | head -n 1)"

echo "build-libopenmpt-windows: building $(basename "$SOURCE") for $HOST"
mkdir -p "$WORK/build"
cd "$WORK/build"
# Only the module player itself: no codecs for samples, no example players.
"$SOURCE/configure" --host="$HOST" --prefix="$DEPS" \
  CC="$HOST-gcc-posix" CXX="$HOST-g++-posix" \
  --enable-static --disable-shared \
  --disable-openmpt123 --disable-examples --disable-tests --disable-doxygen-doc \
  --without-zlib --without-mpg123 --without-ogg --without-vorbis --without-vorbisfile \
  --without-portaudio --without-portaudiocpp --without-pulseaudio --without-sndfile --without-flac \
  >"$WORK/configure.log" 2>&1 || {
  tail -n 30 "$WORK/configure.log"
  exit 1
}
make -j"$(nproc)" >"$WORK/make.log" 2>&1 || {
  tail -n 30 "$WORK/make.log"
  exit 1
}
make install >"$WORK/install.log" 2>&1
# Debug information would make the cached library ten times its size.
"$HOST-strip" --strip-debug "$DEPS/lib/libopenmpt.a"
rm -rf "$WORK"
echo "build-libopenmpt-windows: installed into $DEPS"
