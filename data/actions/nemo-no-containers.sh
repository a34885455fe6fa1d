#!/bin/sh
# Nemo runs this with the selected paths before it offers "Mit Tessarin verschlüsseln" and offers the
# entry only when it ends with 0: a container among them (a name ending in ".rc4" in any letter case)
# would land in the window's list to decrypt, which is not what the entry says.
for path in "$@"; do
    case $path in
    *.[rR][cC]4) exit 1 ;;
    esac
done
exit 0
