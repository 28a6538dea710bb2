#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need,
# only when one of them is missing.
set -euo pipefail
PACKAGES=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-multimedia-dev
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-libav
  libx11-dev libxcb1-dev libxext-dev libxdamage-dev libxtst-dev libsqlcipher-dev libssl-dev libxlsxwriter-dev
  libgtest-dev unzip
  fonts-wqy-microhei fp-utils xvfb xauth xdotool trayer)
# Qt's own dialogs and message box buttons in Chinese.
PACKAGES+=(qt6-translations-l10n)
# 帮助 and 导出 ask xdg-mime which program opens help.chm and sheet1.xlsx,
# and open them through xdg-open.
PACKAGES+=(xdg-utils)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
