#!/usr/bin/env bash
# Installs what is needed, builds Quilvane with its tests and runs every test
# without a display. Extra configure options can be passed in QUILVANE_CMAKE_ARGS.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# shellcheck disable=SC2086
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON ${QUILVANE_CMAKE_ARGS:-}
cmake --build build-tests -j"$(nproc)"
cd build-tests
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
