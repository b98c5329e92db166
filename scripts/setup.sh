#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Corvane.
# Idempotent: packages already present are left alone.
set -euo pipefail
# --core: only what the engine, the CLI and the tests need (no Qt).
packages=(build-essential cmake ninja-build pkg-config git
          libgtest-dev libgmock-dev googletest libbenchmark-dev)
if [ "${1:-}" != "--core" ]; then
  packages+=(qt6-base-dev qt6-base-dev-tools libgl1-mesa-dev)
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
