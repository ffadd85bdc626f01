#!/usr/bin/env bash
# Builds a static libopenmpt for WebAssembly from the Debian source package
# with emscripten, into DEPS (default build-web/deps). Skipped when DEPS
# already holds the library.
set -euo pipefail
cd "$(dirname "$0")/.."
DEPS="$(realpath -m "${1:-build-web/deps}")"
# The packaged compiler's optimizer needs the packaged acorn.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"

if [ -f "$DEPS/lib/libopenmpt.a" ] && [ -f "$DEPS/lib/pkgconfig/libopenmpt.pc" ]; then
  echo "build-libopenmpt-web: $DEPS already holds libopenmpt"
  exit 0
fi

WORK="$DEPS/work"
rm -rf "$WORK"
SOURCE="$(bash scripts/fetch-libopenmpt-source.sh "$WORK")"

echo "build-libopenmpt-web: building $(basename "$SOURCE") for WebAssembly"
mkdir -p "$WORK/build"
cd "$WORK/build"
# configure's config.sub knows no emscripten triple: any host that is not
# the build machine makes it cross-compile, and emconfigure sets the compilers.
# Only the module player itself, without debug information.
emconfigure "$SOURCE/configure" --host=x86_64-pc-linux-gnu --prefix="$DEPS" \
  CFLAGS=-O2 CXXFLAGS=-O2 \
  --enable-static --disable-shared \
  --disable-openmpt123 --disable-examples --disable-tests --disable-doxygen-doc \
  --without-zlib --without-mpg123 --without-ogg --without-vorbis --without-vorbisfile \
  --without-portaudio --without-portaudiocpp --without-pulseaudio --without-sndfile --without-flac \
  >"$WORK/configure.log" 2>&1 || {
  tail -n 30 "$WORK/configure.log"
  exit 1
}
emmake make -j"$(nproc)" >"$WORK/make.log" 2>&1 || {
  tail -n 30 "$WORK/make.log"
  exit 1
}
make install >"$WORK/install.log" 2>&1
rm -rf "$WORK"
echo "build-libopenmpt-web: installed into $DEPS"
