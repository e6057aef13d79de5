#!/usr/bin/env bash
# Installs the Debian 12 packages GlimmerHut builds and tests with; does nothing when all are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  zlib1g-dev libpng-dev libjpeg62-turbo-dev libarchive-dev libsdl2-dev libsqlite3-dev
  libfreetype-dev fonts-dejavu-core 7zip
  libgtest-dev libgmock-dev libbenchmark-dev libxmp-dev sox clang-format
  desktop-file-utils appstream
  clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
