#!/usr/bin/env bash
# Installs what the build and the three test tiers need on Debian 12.
# Idempotent: packages and the locale that are already present are skipped.
# The 64-bit compilers and Wine serve hosts that run no 32-bit programs.
set -euo pipefail

need_root() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "install-deps: run as root (apt-get is needed for: $*)" >&2
        exit 1
    fi
}

native_pkgs="cmake g++ make cppcheck clang-format googletest gcovr mingw-w64 g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine64 fonts-wine gstreamer1.0-plugins-base gstreamer1.0-plugins-good xvfb x11-apps x11-utils fonts-wqy-microhei imagemagick locales xauth pulseaudio pulseaudio-utils sox libsox-fmt-mp3"
i386_pkgs="wine wine32:i386 gstreamer1.0-plugins-base:i386 gstreamer1.0-plugins-good:i386"

missing=""
for p in $native_pkgs $i386_pkgs; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    need_root "$missing"
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        dpkg --add-architecture i386
    fi
    export DEBIAN_FRONTEND=noninteractive
    # A mirror in the middle of a sync fails one index now and then; what
    # the others list is enough, so the install goes on after a few tries.
    for try in 1 2 3; do
        apt-get update -q && break
        echo "install-deps: apt-get update failed (try $try of 3)" >&2
        sleep 5
    done
    # Where the security archive's i386 index could not be read, its amd64
    # packages are newer than their i386 twins, which must match them; the
    # main archive alone gives both the same versions.
    apt-get install -y -q --no-install-recommends $missing ||
        apt-get install -y -q --no-install-recommends -t bookworm $missing
fi

# Wine takes its ANSI code page from LANG: zh_CN.UTF-8 gives 936, the
# program's own; en_US.UTF-8 gives 1252, an English Windows, which the tests
# run under too.
for wanted in zh_CN en_US; do
    if ! locale -a 2>/dev/null | grep -qi "^$wanted\.utf-\?8$"; then
        need_root "locale $wanted.UTF-8"
        sed -i "s/^# *\($wanted.UTF-8 UTF-8\)/\1/" /etc/locale.gen
        grep -q "^$wanted.UTF-8 UTF-8" /etc/locale.gen || echo "$wanted.UTF-8 UTF-8" >> /etc/locale.gen
        locale-gen >/dev/null
    fi
done
echo "install-deps: all present"
