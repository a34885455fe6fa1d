#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the tests and the window need, when any is missing.
# Sourced or run by run.sh and test.sh; needs root (or sudo) only when something must be installed.
set -euo pipefail

packages=(cmake g++ make pkg-config libgtest-dev libgmock-dev libbenchmark-dev qt6-base-dev qt6-svg-dev clang libclang-rt-14-dev
          libgl-dev xvfb xauth dpkg-dev file desktop-file-utils shared-mime-info libxml2-utils
          g++-mingw-w64-x86-64-posix wine wine64 googletest
          qt6-translations-l10n
          appstream lintian bash-completion libglib2.0-bin
          nsis zip
          clang-format
          librsvg2-bin icoutils xdotool)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi
