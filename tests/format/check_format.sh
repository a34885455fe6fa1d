#!/usr/bin/env bash
# Checks every C++ source against the committed .clang-format: it lists what would change and fails.
# Usage: check_format.sh SOURCE_DIR CLANG_FORMAT
set -euo pipefail
cd "$1"
find app bench cli core crypto fuzz host tests text ui window win32 -name '*.cpp' -o -name '*.h' | sort |
    xargs "$2" --dry-run --Werror --style=file
