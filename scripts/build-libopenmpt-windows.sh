#!/usr/bin/env bash
# Builds a static libopenmpt for 64-bit Windows from the Debian source package
# with the MinGW-w64 toolchain, into DEPS (default build-windows/deps).
# Skipped when DEPS already holds the library.
set -euo pipefail
cd "$(dirname "$0")/.."
DEPS="$(realpath -m "${1:-build-windows/deps}")"
HOST=x86_64-w64-mingw32

if [ -f "$DEPS/lib/libopenmpt.a" ] && [ -f "$DEPS/lib/pkgconfig/libopenmpt.pc" ]; then
  echo "build-libopenmpt-windows: $DEPS already holds libopenmpt"
  exit 0
fi

WORK="$DEPS/work"
rm -rf "$WORK"
SOURCE="$(bash scripts/fetch-libopenmpt-source.sh "$WORK")"

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
