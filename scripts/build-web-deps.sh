#!/usr/bin/env bash
# Builds the libraries of the web build with Emscripten from Debian's source packages (fetched by
# fetch-web-sources.sh) and installs them as static archives under DIR/deps (default build-web).
# SDL2_mixer gets only its WAV codec: the program's sounds are WAV files.
# Each library is built once; a finished one is skipped.
set -euo pipefail

root=$(realpath -m "${1:-build-web}")
jobs=${JOBS:-2}
src="$root/src"
prefix="$root/deps"
here=$(dirname "$0")
"$here/fetch-web-sources.sh" "$src"

# Emscripten's optimiser steps look for Debian's node modules here.
export NODE_PATH=/usr/share/nodejs

build() {
  local name=$1 dir=$2
  shift 2
  [ -e "$prefix/$name.stamp" ] && return 0
  echo "Building $name for the web"
  rm -rf "$root/deps-build/$name"
  emcmake cmake -S "$src/$dir" -B "$root/deps-build/$name" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix" "$@" >"$root/deps-build/$name.log" 2>&1 ||
    { tail -30 "$root/deps-build/$name.log"; return 1; }
  cmake --build "$root/deps-build/$name" -j "$jobs" >>"$root/deps-build/$name.log" 2>&1 &&
    cmake --install "$root/deps-build/$name" >>"$root/deps-build/$name.log" 2>&1 ||
    { tail -30 "$root/deps-build/$name.log"; return 1; }
  touch "$prefix/$name.stamp"
}

mkdir -p "$prefix" "$root/deps-build"
build sdl2 libsdl2 -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF
build sdl2-mixer libsdl2-mixer -DBUILD_SHARED_LIBS=OFF -DSDL2MIXER_SAMPLES=OFF \
  -DSDL2MIXER_VENDORED=OFF -DSDL2MIXER_DEPS_SHARED=OFF -DSDL2MIXER_WAVE=ON \
  -DSDL2MIXER_CMD=OFF -DSDL2MIXER_FLAC=OFF -DSDL2MIXER_GME=OFF -DSDL2MIXER_MOD=OFF \
  -DSDL2MIXER_MIDI=OFF -DSDL2MIXER_MP3=OFF -DSDL2MIXER_OPUS=OFF -DSDL2MIXER_VORBIS=OFF \
  -DSDL2MIXER_WAVPACK=OFF
# Debian's zlib source lacks the files its CMake build names for Windows: its own configure.
if [ ! -e "$prefix/zlib.stamp" ]; then
  echo "Building zlib for the web"
  rm -rf "$root/deps-build/zlib"
  cp -r "$src/zlib" "$root/deps-build/zlib"
  (cd "$root/deps-build/zlib" && emconfigure ./configure --static --prefix="$prefix" &&
    emmake make -j "$jobs" install) >"$root/deps-build/zlib.log" 2>&1 ||
    { tail -30 "$root/deps-build/zlib.log"; exit 1; }
  touch "$prefix/zlib.stamp"
fi
build libpng libpng1.6 -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
  -DZLIB_ROOT="$prefix"
# CMake cannot run a test program to measure types here: wasm32's sizes are given.
build libjpeg libjpeg-turbo -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF \
  -DHAVE_SIZE_T=TRUE -DSIZE_T=4 -DHAVE_UNSIGNED_LONG=TRUE -DUNSIGNED_LONG=4
