#!/usr/bin/env bash
# Not a test: takes the README's pictures of the real program under Wine and
# Xvfb (about two minutes: the last one waits for a real alarm) into docs/.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh >/dev/null
source scripts/wine-env.sh
bash scripts/build.sh "$ZELBRIN_ARCH" zelbrin screenshots >/dev/null
trap stop_session EXIT
ensure_display
ensure_prefix
shots=build/$ZELBRIN_ARCH/screenshots
mkdir -p "$shots"
wine "build/$ZELBRIN_ARCH/screenshots.exe" "$PWD/build/$ZELBRIN_ARCH/zelbrin.exe" "$PWD/$shots"
for shot in "$shots"/*.bmp; do
    convert "$shot" "docs/$(basename "${shot%.bmp}").png"
done
echo "pictures: docs/*.png"
