#!/usr/bin/env bash
# Installs what is missing, builds Vemo for release and makes its Debian package in build-package/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh dpkg-dev
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DVEMO_BUILD_TESTS=OFF -DVEMO_BUILD_BENCH=OFF >/dev/null
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB)
