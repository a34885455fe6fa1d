#!/usr/bin/env bash
# The file-manager actions as their file managers run them, with a selection of files whose names hold
# spaces and umlauts: each action's command must bring every selected file into the window's right list,
# and the encryption entries must not be offered where a container is selected.
#   Dolphin's service menus and Thunar's "Senden an" entry are desktop entries: GLib's launcher (gio launch)
#   expands their Exec line as the desktop-entry rules say, as Thunar itself does. Nemo puts each path into
#   its Exec line quoted for the shell and splits the line as a shell would; that is done here likewise.
# "tessarin" on the PATH is the window program's own start-up (test_ui --as-window-program), which builds the
# window from the arguments as the installed program does and reports its lists instead of showing them.
# Usage: check_actions.sh BUILD_DIR TEST_UI
set -euo pipefail
build=$(cd "$1" && pwd)
test_ui=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# What GLib's launcher and the programs keep for the user goes into the work folder, not the user's home.
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"

staging="$work/staging"
cmake --install "$build" --prefix "$staging" >/dev/null
share="$staging/share"

mkdir -p "$work/bin"
mkdir -m 700 "$work/run"
cat >"$work/bin/tessarin" <<SHIM
#!/bin/sh
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/run" "$test_ui" --as-window-program "\$@" >"$work/report.part" && mv "$work/report.part" "$work/report"
SHIM
chmod +x "$work/bin/tessarin"
export PATH="$work/bin:$PATH"

# The window's lists from the report: fields ended by NUL bytes (mirrored, style, platform, then each
# list's count and items), printed as "list1: ... | list2: ..." with the items sorted.
lists() {
    local fields i n out="" list
    mapfile -d '' fields <"$work/report"
    i=3
    for list in list1 list2; do
        n=${fields[i]}
        out+="$list:$( ((n == 0)) || printf '%s\n' "${fields[@]:i+1:n}" | sort | sed 's/^/ /' | tr -d '\n')"
        [ "$list" = list1 ] && out+=" | "
        i=$((i + 1 + n))
    done
    echo "$out"
}
wait_for_report() {
    for _ in $(seq 200); do [ -f "$work/report" ] && return 0; sleep 0.05; done
    fail "$1: the window program was not started"
}
# The Exec line of a group of a key file.
exec_of() { sed -n "/^\[$2\]/,/^\[/s/^Exec=//p" "$1"; }

files="$work/Meine Dateien"
mkdir -p "$files"
plain=("$files/a b.txt" "$files/Grüße an Jörg.txt" "$files/nur.txt")
containers=("$files/ä ö.rc4" "$files/ALT.RC4")
touch "${plain[@]}" "${containers[@]}"
selection=("${plain[@]}" "${containers[@]}")
expected="list1:$(printf '%s\n' "${plain[@]}" | sort | sed 's/^/ /' | tr -d '\n') | list2:$(printf '%s\n' "${containers[@]}" | sort | sed 's/^/ /' | tr -d '\n')"
expected_containers="list1: | list2:$(printf '%s\n' "${containers[@]}" | sort | sed 's/^/ /' | tr -d '\n')"

check() { # WHAT EXPECTED
    wait_for_report "$1"
    local got
    got=$(lists)
    [ "$got" = "$2" ] || fail "$1: the window's lists
  expected: $2
  got:      $got"
    rm -f "$work/report"
    echo "ok: $1"
}

# Dolphin: each action's Exec line, launched by the desktop-entry rules.
servicemenus="$share/kio/servicemenus"
grep -q '^MimeType=all/allfiles;$' "$servicemenus/tessarin-encrypt.desktop" || fail "Dolphin: encryption not offered for all files"
grep -q '^MimeType=application/x-tessarin-rc4;$' "$servicemenus/tessarin-decrypt.desktop" ||
    fail "Dolphin: decryption not offered for containers"
# Dolphin leaves a menu out when one selected item has a type its ExcludeServiceTypes names.
grep -qx 'ExcludeServiceTypes=application/x-tessarin-rc4' "$servicemenus/tessarin-encrypt.desktop" ||
    fail "Dolphin: encryption offered for containers"
for row in "encrypt:Mit Tessarin verschlüsseln" "decrypt:Mit Tessarin entschlüsseln"; do
    action=${row%%:*} name=${row#*:}
    menu="$servicemenus/tessarin-$action.desktop"
    grep -q "^Actions=$action;\$" "$menu" || fail "Dolphin: $menu names no action $action"
    grep -qx "Name=$name" <(sed -n "/^\[Desktop Action $action\]/,/^\[/p" "$menu") || fail "Dolphin: $action is not called $name"
    printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s\n' "$name" "$(exec_of "$menu" "Desktop Action $action")" \
        >"$work/dolphin-$action.desktop"
    if [ "$action" = encrypt ]; then
        gio launch "$work/dolphin-$action.desktop" "${selection[@]}"
        check "Dolphin, $name" "$expected"
    else
        gio launch "$work/dolphin-$action.desktop" "${containers[@]}"
        check "Dolphin, $name" "$expected_containers"
    fi
done

# Thunar: the entry itself, as its "Senden an" menu launches it.
sendto="$share/Thunar/sendto/tessarin.desktop"
gio launch "$sendto" "${selection[@]}"
check "Thunar, Senden an" "$expected"

# Nemo: each path quoted for the shell in place of %F, the line split as a shell splits it.
actions="$share/nemo/actions"
grep -qx 'Extensions=nodirs;' "$actions/tessarin-encrypt.nemo_action" || fail "Nemo: encryption not offered for all files"
grep -qxF 'Extensions=.rc4;' "$actions/tessarin-decrypt.nemo_action" || fail "Nemo: decryption not offered for .rc4 files"
for row in "encrypt:Mit Tessarin verschlüsseln" "decrypt:Mit Tessarin entschlüsseln"; do
    action=${row%%:*} name=${row#*:}
    file="$actions/tessarin-$action.nemo_action"
    grep -qx "Name=$name" "$file" || fail "Nemo: $action is not called $name"
    if [ "$action" = encrypt ]; then chosen=("${selection[@]}") want=$expected; else chosen=("${containers[@]}") want=$expected_containers; fi
    quoted=$(printf ' %q' "${chosen[@]}")
    line=$(exec_of "$file" "Nemo Action")
    line=${line//%F/${quoted# }}
    eval "argv=($line)"
    "${argv[@]}" &
    check "Nemo, $name" "$want"
    wait
done

# Nemo offers encryption only when the action's condition ends with 0, run as Nemo runs it: the command
# in <...> taken from the action's folder, %F replaced by the selected paths quoted for the shell. Plain
# files pass; a selection with a container among them (any letter case) does not.
condition=$(sed -n 's/^Conditions=exec <\(.*\)>;$/\1/p' "$actions/tessarin-encrypt.nemo_action")
[[ $condition == *%F* ]] || fail "Nemo: encryption has no condition on the selected files"
offers_encryption() {
    local quoted line
    quoted=$(printf ' %q' "$@")
    line="$actions/${condition//%F/${quoted# }}"
    eval "argv=($line)"
    "${argv[@]}"
}
for row in "yes:${plain[0]}" "yes:${plain[0]}:${plain[1]}" "no:${containers[0]}" "no:${containers[1]}" \
    "no:${plain[0]}:${containers[1]}:${plain[1]}"; do
    IFS=: read -ra chosen <<<"${row#*:}"
    got=no
    offers_encryption "${chosen[@]}" && got=yes
    [ "$got" = "${row%%:*}" ] || fail "Nemo: encryption offered ($got) for ${chosen[*]}"
done
echo "ok: Nemo, encryption left out where a container is selected"
