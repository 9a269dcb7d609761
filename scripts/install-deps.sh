#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need. Quiet and quick when all are present.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache clang
  libsdl2-dev libsdl2-image-dev libglew-dev libbullet-dev libglm-dev libutfcpp-dev
  libgtest-dev libfreetype-dev libpng-dev fonts-dejavu-core
  xvfb xauth libgl1-mesa-dri libegl1
  appstream desktop-file-utils
)

installed="$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null | awk '/install ok installed$/ {print $1}' || true)"
missing=()
for package in "${packages[@]}"; do
  grep -qx "$package" <<<"$installed" || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
