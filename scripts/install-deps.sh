#!/usr/bin/env bash
# Installs the Debian 12 packages that Quilvane needs to build, run and test.
set -euo pipefail
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
  build-essential cmake \
  qt6-base-dev qt6-charts-dev libgl-dev qt6-qpa-plugins \
  liblpsolve55-dev libgtest-dev libgmock-dev libbenchmark-dev \
  fonts-dejavu-core
