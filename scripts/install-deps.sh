#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, and, as root, the udev
# rule that lets a normal user reach the machine. As a normal user it only checks.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake ninja-build pkg-config clang clang-format libclang-rt-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libfmt-dev nettle-dev libarchive-dev libftdi1-dev uuid-dev
  qt6-base-dev libgl-dev qt6-translations-l10n libasound2-dev
  fonts-wqy-microhei fonts-liberation 7zip xvfb xauth xdotool x11-utils openbox
  dosfstools fusefat exfatprogs exfat-fuse ntfs-3g
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ] && [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages (${missing[*]}): run as root: bash $PWD/scripts/install-deps.sh" >&2
  exit 1
fi
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -q
  apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
if [ "$(id -u)" -eq 0 ]; then
  bash scripts/install-udev-rule.sh
fi
