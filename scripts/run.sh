#!/usr/bin/env bash
# Installs what is missing, builds build/win32/zelbrin.exe and runs it under
# Wine. With no display it runs under Xvfb, saves a screenshot of the main
# window and says where.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh
bash scripts/build.sh win32 zelbrin
exe="$PWD/build/win32/zelbrin.exe"

source scripts/wine-env.sh
if [ "$ZELBRIN_ARCH" = win64 ]; then
    bash scripts/build.sh win64 zelbrin
    exe="$PWD/build/win64/zelbrin.exe"
    echo "this host runs no 32-bit programs: running the 64-bit build of the same sources"
fi
if display_works; then
    ensure_prefix
    echo "Starting $exe (exit it from the tray icon's menu: 退出)"
    wine "$exe"
    exit 0
fi

trap stop_session EXIT
ensure_display
ensure_prefix
wine "$exe" &
window=""
for _ in $(seq 1 150); do
    window=$(xwininfo -root -tree 2>/dev/null | awk '/"ZelbrinV1.0"/ {print $1; exit}')
    [ -n "$window" ] && break
    sleep 0.2
done
if [ -z "$window" ]; then
    echo "the main window did not appear" >&2
    exit 1
fi
sleep 1  # let it paint
mkdir -p build/screenshots
shot="$PWD/build/screenshots/main-window.png"
import -window "$window" "$shot"
echo "No display: ran zelbrin.exe under Xvfb ($DISPLAY); screenshot of the main window: $shot"
