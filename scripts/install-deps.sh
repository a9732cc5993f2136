#!/usr/bin/env bash
# Installs the Debian 12 packages that Quilvane needs to build, run, test and
# benchmark: the list in scripts/debian-packages.txt, without Recommends.
set -euo pipefail
cd "$(dirname "$0")"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
mapfile -t PACKAGES < <(sed -e 's/#.*//' -e '/^[[:space:]]*$/d' debian-packages.txt)
$SUDO apt-get update
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${PACKAGES[@]}"
