#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine if needed (only what builds and runs the window; test.sh installs the
# rest), builds the program without its tests and benchmarks and opens its window.
# File paths given here go into the window's lists (".rc4" files into the list to decrypt).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/setup.sh" --window
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release -DTESSARIN_TESTS=OFF -DTESSARIN_BENCH=OFF >/dev/null
cmake --build "$here/build" -j"$(nproc)" --target tessarin tessarin-cli
exec "$here/build/app/tessarin" "$@"
