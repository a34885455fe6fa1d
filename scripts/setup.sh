#!/usr/bin/env bash
# Installs the Debian 12 packages that are missing, in two sets:
#   scripts/setup.sh --window   what builds and runs the window program and tessarin-cli (run.sh): the
#                               compiler, CMake, Qt with its German texts, and dpkg-buildflags, which the
#                               build asks for Debian's hardening flags;
#   scripts/setup.sh            that and everything the tests call (test.sh): GoogleTest and Google
#                               Benchmark, clang for the fuzz targets, Xvfb, the packaging checks, the
#                               Windows cross build with Wine and NSIS.
# The window set comes without the packages its packages only recommend, so a fresh machine fetches what
# the window needs and no more. Needs root (or sudo) only when something must be installed.
set -euo pipefail

window_packages=(cmake g++ make pkg-config dpkg-dev qt6-base-dev qt6-svg-dev libgl-dev qt6-translations-l10n)
test_packages=(libgtest-dev libgmock-dev libbenchmark-dev clang libclang-rt-14-dev
               xvfb xauth file desktop-file-utils shared-mime-info libxml2-utils
               g++-mingw-w64-x86-64-posix wine wine64 googletest
               appstream lintian bash-completion libglib2.0-bin
               nsis zip
               clang-format
               librsvg2-bin icoutils xdotool
               zsh fish)

case ${1:-} in
    --window) sets=(window) ;;
    "") sets=(window tests) ;;
    *) echo "Usage: $0 [--window]" >&2; exit 2 ;;
esac

missing() { # PACKAGE...: prints those not installed
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
    done
}
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
updated=no
install_missing() { # [APT_OPTION...] -- PACKAGE...
    local options=() wanted
    while [ "$1" != -- ]; do options+=("$1"); shift; done
    shift
    mapfile -t wanted < <(missing "$@")
    [ ${#wanted[@]} -gt 0 ] || return 0
    echo "Installing: ${wanted[*]}"
    if [ $updated = no ]; then
        "${sudo_cmd[@]}" apt-get update -q
        updated=yes
    fi
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${options[@]}" "${wanted[@]}"
}

for set in "${sets[@]}"; do
    case $set in
        window) install_missing --no-install-recommends -- "${window_packages[@]}" ;;
        tests) install_missing -- "${test_packages[@]}" ;;
    esac
done
