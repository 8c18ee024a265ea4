#!/usr/bin/env bash
# Installs what is missing, builds build/win32/zelbrin.exe and runs it under
# Wine (the 64-bit build of the same sources where Wine is 64-bit only).
# With no display it runs under Xvfb, saves a screenshot of the main window
# and says where.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh
bash scripts/build.sh win32 zelbrin

source scripts/wine-env.sh
build_for_wine zelbrin
exe="$PWD/build/$ZELBRIN_ARCH/zelbrin.exe"
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
