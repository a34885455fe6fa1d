#!/usr/bin/env bash
# tessarin-cli.exe end to end under Wine, and containers crossing between Windows and Linux:
#   windows_round_trip.sh WINE TESSARIN_CLI_EXE [LINUX_TESSARIN_CLI]
# Encrypts and decrypts files at the block boundaries and with names outside ASCII, checks the restored
# bytes, the exit statuses, and that a container made by either program is byte-identical to the
# other's and restores with the other. Without the Linux program only the Windows side runs.
set -euo pipefail

wine=$1
exe=$2
linux=${3:-}
[ -n "$linux" ] && [ ! -x "$linux" ] && { echo "no Linux tessarin-cli at $linux: cross checks skipped"; linux=; }

work=$(mktemp -d "${TMPDIR:-/tmp}/tessarin-wine.XXXXXX")
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir win lin

fail() { echo "FAIL: $*" >&2; exit 1; }
win_cli() { "$wine" "$exe" "$@"; }

# Sizes around the 100000-byte block, an empty file, one byte; names with spaces and outside ASCII.
names=("leer.txt" "eins.bin" "block 99999.dat" "block 100000.dat" "block 100001.dat" "Übersicht €.txt"
       "数据.bin")
sizes=(0 1 99999 100000 100001 250003 4097)
for i in "${!names[@]}"; do
    head -c "${sizes[$i]}" /dev/urandom >"win/${names[$i]}.orig"
    # the same plain bytes on both sides, so the containers can be compared
    cp "win/${names[$i]}.orig" "win/${names[$i]}"
    cp "win/${names[$i]}.orig" "lin/${names[$i]}"
done
# A password with characters of Windows-1252 beyond ASCII and the blanks the check text trims.
printf ' Pässwort €\r\n' >pw.txt

# Windows: encrypt everything, restore with the default suffix, compare.
status=0
(cd win && win_cli encrypt --password-file ../pw.txt -q -- "${names[@]}") || status=$?
[ "$status" -eq 0 ] || fail "encrypt under Wine: exit status $status"
for n in "${names[@]}"; do
    [ -f "win/$n.rc4" ] || fail "no container for $n"
    [ "$(stat -c %s "win/$n.rc4")" -eq $(($(stat -c %s "win/$n") + 31)) ] || fail "container size of $n"
done
(cd win && for n in "${names[@]}"; do printf '%s\0' "$n.rc4"; done | xargs -0 "$wine" "$exe" decrypt \
    --password-file ../pw.txt -q --) || fail "decrypt under Wine"
for n in "${names[@]}"; do
    base=${n%.*} ext=.${n##*.}
    cmp -s "win/$base-dec$ext" "win/$n.orig" || fail "restored $n differs"
done

# A wrong password: status 1, no output file; an absolute Windows path with backslashes restores under
# the original name through the path helpers.
printf 'falsch\n' >wrong.txt
rm "win/eins-dec.bin"
status=0
win_cli decrypt --password-file wrong.txt -q "win/eins.bin.rc4" 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail "wrong password: exit status $status, expected 1"
[ ! -e "win/eins-dec.bin" ] || fail "wrong password wrote a file"
winpath="Z:${work//\//\\}\\win\\eins.bin.rc4" # Wine's drive Z: is the Unix root
rm "win/eins.bin"
win_cli decrypt --password-file pw.txt --original-name -q "$winpath" || fail "decrypt of $winpath"
cmp -s "win/eins.bin" "win/eins.bin.orig" || fail "restore by absolute Windows path $winpath"
# Forward slashes and a dot in a folder name: the suffix goes before the file's extension, not the folder's.
mkdir "win/Ab.lage"
cp "win/leer.txt.rc4" "win/Ab.lage/liesmich.rc4"
win_cli decrypt --password-file pw.txt -q "win/Ab.lage/liesmich.rc4" || fail "decrypt with forward slashes"
[ -f "win/Ab.lage/liesmich-dec" ] || fail "forward slashes: restored under another name: $(ls -R win | tr '\n' ' ')"
status=0
win_cli decrypt --password-file pw.txt -q "win/gibt es nicht.rc4" 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail "missing file: exit status $status, expected 1"
win_cli --version | grep -q '^tessarin-cli 1\.1\.0' || fail "--version"
# verify writes nothing and tells a tampered container; --stdout restores raw bytes into a pipe.
before=$(ls -R win | md5sum)
(cd win && win_cli verify --password-file ../pw.txt -q -- "${names[@]/%/.rc4}") || fail "verify under Wine"
[ "$(ls -R win | md5sum)" = "$before" ] || fail "verify changed the folder"
cp "win/block 100001.dat.rc4" kaputt.rc4
printf '\x01' | dd of=kaputt.rc4 bs=1 seek=50000 conv=notrunc status=none
status=0
win_cli verify --password-file pw.txt -q kaputt.rc4 2>/dev/null || status=$?
[ "$status" -eq 1 ] || fail "verify of a tampered container: exit status $status, expected 1"
win_cli decrypt --stdout --password-file pw.txt -q "win/block 100001.dat.rc4" >piped.bin ||
    fail "decrypt --stdout under Wine"
cmp -s piped.bin "win/block 100001.dat.orig" || fail "--stdout bytes differ"

if [ -z "$linux" ]; then
    echo "Windows round trip passed (no Linux program for the cross checks)"
    exit 0
fi

# Linux encrypts the same plain files: the containers must be the same bytes.
(cd lin && "$linux" encrypt --password-file ../pw.txt -q -- "${names[@]}") || fail "encrypt on Linux"
for n in "${names[@]}"; do
    cmp -s "win/$n.rc4" "lin/$n.rc4" || fail "containers of $n differ between Windows and Linux"
done
# And each side restores the other's containers under the original names.
mkdir cross-win cross-lin
for n in "${names[@]}"; do
    cp "lin/$n.rc4" "cross-win/$n.rc4"
    cp "win/$n.rc4" "cross-lin/$n.rc4"
done
(cd cross-win && for n in "${names[@]}"; do printf '%s\0' "$n.rc4"; done | xargs -0 "$wine" "$exe" decrypt \
    --password-file ../pw.txt --original-name -q --) || fail "Windows decrypting Linux containers"
(cd cross-lin && "$linux" decrypt --password-file ../pw.txt --original-name -q -- "${names[@]/%/.rc4}") ||
    fail "Linux decrypting Windows containers"
for n in "${names[@]}"; do
    cmp -s "cross-win/$n" "win/$n.orig" || fail "Linux container of $n restored wrongly on Windows"
    cmp -s "cross-lin/$n" "win/$n.orig" || fail "Windows container of $n restored wrongly on Linux"
done
echo "Windows round trip and cross checks with Linux passed (${#names[@]} files)"
