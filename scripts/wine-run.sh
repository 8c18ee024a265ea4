#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix and the
# code page 936 locale. CTest uses it as the cross-compiling emulator.
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$(cd "$here/.." && pwd)/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
# scripts/wine-env.sh chooses the loader where 32-bit Wine cannot run.
exec "${WINELOADER:-wine}" "$@"
