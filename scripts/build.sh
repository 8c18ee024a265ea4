#!/usr/bin/env bash
# build.sh win32 [target...] | build.sh native
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
kind=${1:-win32}
shift || true
case "$kind" in
win32)
    cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
    targets=()
    for t in "$@"; do targets+=(--target "$t"); done
    cmake --build build/win32 -j2 "${targets[@]}"
    if [ $# -eq 0 ]; then
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
    echo "usage: build.sh win32 [target...] | native" >&2
    exit 2
    ;;
esac
