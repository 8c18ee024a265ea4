#!/usr/bin/env bash
# build.sh win32|win64 [target...] | build.sh native
# win64: the same sources for 64-bit Wine, where 32-bit Wine cannot run.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
kind=${1:-win32}
shift || true
case "$kind" in
win32 | win64)
    toolchain=cmake/mingw-i686.cmake
    [ "$kind" = win64 ] && toolchain=cmake/mingw-x86_64.cmake
    cmake -S . -B "build/$kind" -DCMAKE_TOOLCHAIN_FILE=$toolchain -DCMAKE_BUILD_TYPE=Release >/dev/null
    targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build "build/$kind" -j2 "${targets[@]}"
    if [ $# -eq 0 ] && [ "$kind" = win32 ]; then
        # The portable release zip, beside the exe.
        (cd build/win32 && cpack -G ZIP >/dev/null)
        echo "release: build/win32/zelbrin-$(sed -n 's/^project(zelbrin VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)-win32.zip"
    fi
    ;;
native)
    cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build build/native -j2
    ;;
*)
    echo "usage: build.sh win32|win64 [target...] | native" >&2
    exit 2
    ;;
esac
