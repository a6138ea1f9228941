#!/usr/bin/env bash
# Installs what is missing, builds Vemo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVEMO_BUILD_TESTS=OFF -DVEMO_BUILD_BENCH=OFF >/dev/null
cmake --build build -j"$(nproc)" --target vemo vemo-cli

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    cat <<MSG
Vemo is built (build/vemo), but this session has no display to show its window on.
To run it anyway on a virtual display:
    apt-get install -y xvfb xauth && xvfb-run -a build/vemo
MSG
    exit 1
fi
exec build/vemo "$@"
