#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the three test tiers:
# the schedule core natively (plain and sanitized), the Win32 code in-process
# under Wine, and the real program driven end to end under Wine and Xvfb.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

bash scripts/install-deps.sh
bash scripts/build.sh native
bash scripts/build.sh win32

source scripts/wine-env.sh
trap stop_session EXIT
ensure_display
start_sound
ensure_prefix
start_wine

# One CTest run over both build trees, so one summary line closes it.
cat > build/CTestTestfile.cmake <<'CTEST'
subdirs("native" "win32")
CTEST
set +e
ctest --test-dir build -j3 --output-on-failure --timeout 300
status=$?
# The end-to-end run's screenshots, as PNG.
for shot in build/win32/screenshots/*.bmp; do
    [ -e "$shot" ] && convert "$shot" "${shot%.bmp}.png" 2>/dev/null && rm -f "$shot"
done
exit $status
