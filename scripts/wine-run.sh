#!/usr/bin/env bash
# Runs a Windows program under Wine with the project's own prefix. CTest uses
# it as the cross-compiling emulator. Wine takes the ANSI code page from the
# locale: 936 (Chinese, PRC) unless ZELBRIN_CODE_PAGE=1252 asks for an
# English Windows, which has a prefix of its own (scripts/wine-env.sh).
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
export WINEPREFIX="${WINEPREFIX:-$(cd "$here/.." && pwd)/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
case "${ZELBRIN_CODE_PAGE:-936}" in
1252) export LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 WINEPREFIX="$WINEPREFIX-en" ;;
*) export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 ;;
esac
# scripts/wine-env.sh chooses the loader where 32-bit Wine cannot run.
exec "${WINELOADER:-wine}" "$@"
