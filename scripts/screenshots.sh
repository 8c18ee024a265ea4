#!/usr/bin/env bash
# Not a test: takes the README's pictures of the real program under Wine and
# Xvfb (about two minutes: the last one waits for a real alarm) into docs/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh >/dev/null
bash scripts/build.sh win32 zelbrin screenshots >/dev/null
source scripts/wine-env.sh
trap stop_session EXIT
ensure_display
ensure_prefix
shots=build/win32/screenshots
mkdir -p "$shots"
wine build/win32/screenshots.exe "$PWD/build/win32/zelbrin.exe" "$PWD/$shots"
for shot in "$shots"/*.bmp; do
    convert "$shot" "docs/$(basename "${shot%.bmp}").png"
done
echo "pictures: docs/*.png"
