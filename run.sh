#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine if needed, builds the program and opens its window.
# File paths given here go into the window's lists (".rc4" files into the list to decrypt).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$here/build" -j"$(nproc)" --target tessarin tessarin-cli
exec "$here/build/app/tessarin" "$@"
