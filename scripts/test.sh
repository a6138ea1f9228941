#!/usr/bin/env bash
# Installs what is missing, builds Vemo and its tests with the address and undefined-behaviour
# sanitizers, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

# Poppler reads back the PDF files the printing tests write; the desktop and AppStream tools
# validate the installed files, and dpkg-dev works out the package's dependencies.
bash scripts/install-deps.sh poppler-utils desktop-file-utils appstream dpkg-dev
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DVEMO_SANITIZE=ON -DVEMO_WERROR=ON >/dev/null
cmake --build build-test -j"$(nproc)"
cd build-test
ctest --output-on-failure -j"$(nproc)"
