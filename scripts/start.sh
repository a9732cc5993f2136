#!/usr/bin/env bash
# Installs what is needed, builds Quilvane and starts it in the build folder,
# which holds the help page Help2.htm.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build build -j"$(nproc)" --target quilvane quilvane-batch
cd build && exec ./quilvane
