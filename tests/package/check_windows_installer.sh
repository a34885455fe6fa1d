#!/usr/bin/env bash
# The Windows installer in a fresh Wine prefix, as a user meets it: a silent install (/S) puts the
# programs, the Start-menu and "Senden an" entries and the registry keys of the ".rc4" type in place;
# opening a container through its type (ShellExecute, as a double-click does) and sending several files
# as Explorer passes them (only paths with a space quoted) both reach the window's right lists; a silent
# uninstall leaves no file and no key of its own behind; the installer and the zip have their SHA-256 sums
# beside them. The window needs a display (DISPLAY).
# A 32-bit installer would not run on a 64-bit-only Wine, which still exits with 0: so every step is
# judged by the files, keys and windows it leaves, not by exit codes.
# Usage: check_windows_installer.sh WINE INSTALLER PROBE
set -euo pipefail
wine=$1
installer=$2
probe=$3
work=$(mktemp -d)
# Wine's menu builder is off: it would turn the installer's shortcuts into entries and icons in the user's
# own desktop menus, pointing into this prefix, which is gone after the test.
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
cleanup() { wineserver -k 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

[ -n "${DISPLAY:-}" ] || fail "no display: the window needs one (run under Xvfb)"
file "$installer" | grep -q 'PE32+' || fail "the installer is no 64-bit program: $(file -b "$installer")"
# The installer and the zip beside it each have their SHA-256 sum beside them, naming them.
packages=$(dirname "$installer")
for f in "$installer" "$packages"/*-portable.zip; do
    [ -s "$f.sha256" ] || fail "no SHA-256 sum beside $(basename "$f")"
    (cd "$packages" && sha256sum --check --status "$(basename "$f").sha256") ||
        fail "the SHA-256 sum of $(basename "$f") does not match"
done

# The prefix is made without the display, so that no desktop process stays behind to be waited for.
DISPLAY= "$wine" wineboot --init >/dev/null 2>&1
# No window manager on the virtual screen: Wine places and removes its windows itself.
DISPLAY= "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
DISPLAY= wineserver -w
users="$WINEPREFIX/drive_c/users/$(id -un)"
instdir="$users/AppData/Local/Programs/Tessarin"
start_menu="$users/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Tessarin.lnk"
send_to="$users/AppData/Roaming/Microsoft/Windows/SendTo/Tessarin.lnk"
win_instdir='C:\users\'"$(id -un)"'\AppData\Local\Programs\Tessarin'

key() { "$wine" reg query "$1" "${@:2}" 2>/dev/null | tr -d '\r'; }
# Waits until every process of the prefix has ended and the Wine server with them (at most 2 minutes).
settle() {
    timeout 120 wineserver -w || fail "$1: Wine's processes did not end within 2 minutes"
}

# Wine waits for the installer's process to end.
"$wine" "$installer" /S
for f in tessarin.exe tessarin-cli.exe tessarin-launch.exe LICENSE.txt uninstall.exe; do
    [ -s "$instdir/$f" ] || fail "not installed: $f"
done
[ -s "$start_menu" ] || fail "no Start-menu entry"
[ -s "$send_to" ] || fail "no \"Senden an\" entry"
key 'HKCU\Software\Classes\.rc4' /ve | grep -q 'Tessarin.Container' || fail ".rc4 is not given to Tessarin"
key 'HKCU\Software\Classes\Tessarin.Container\DefaultIcon' /ve | grep -qF "$win_instdir\\tessarin.exe" ||
    fail "the container type has no icon from tessarin.exe"
key 'HKCU\Software\Classes\Tessarin.Container\shell\open\command' /ve |
    grep -qF "\"$win_instdir\\tessarin.exe\" \"%1\"" || fail "containers do not open in tessarin.exe"
key 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessarin' /v UninstallString | grep -q uninstall.exe ||
    fail "no uninstall entry"
"$wine" "$instdir/tessarin-cli.exe" --version | tr -d '\r' | grep -q '^tessarin-cli ' ||
    fail "the installed tessarin-cli.exe does not run"

# A container to open, in a folder whose name holds a space.
files="$users/Meine Dateien"
mkdir -p "$files"
touch "$files/bericht.pdf.rc4"
win_files='C:\users\'"$(id -un)"'\Meine Dateien'

# A container opened through its type lands in the decryption list. Windows sees the per-user types of
# HKCU\Software\Classes within HKEY_CLASSES_ROOT; Wine's HKEY_CLASSES_ROOT shows only the machine's
# (HKLM\Software\Classes), so the installer's two keys are copied there for the opening and removed after.
for k in .rc4 Tessarin.Container; do
    "$wine" reg copy "HKCU\Software\Classes\\$k" "HKLM\Software\Classes\\$k" /s /f >/dev/null 2>&1
done
timeout 60 "$wine" start /unix "$files/bericht.pdf.rc4"
lists=$(timeout 60 "$wine" "$probe" | tr -d '\r')
[ "$lists" = "2 $win_files\\bericht.pdf.rc4" ] || fail "opening a container: the window's lists are
$lists"
echo "ok: a container opened through its type is in the decryption list"
for k in .rc4 Tessarin.Container; do
    "$wine" reg delete "HKLM\Software\Classes\\$k" /f >/dev/null 2>&1
done

# "Senden an" and a drop onto the Start-menu entry start tessarin-launch.exe with the paths as Explorer
# writes them: quoted only when they hold a space. Here from a folder without one.
mkdir -p "$users/Dateien"
touch "$users/Dateien/a.txt" "$users/Dateien/b c.txt" "$users/Dateien/Grüße.txt" "$users/Dateien/alt.RC4"
win_files='C:\users\'"$(id -un)"'\Dateien'
sent="\"$win_instdir\\tessarin-launch.exe\""
for name in a.txt "b c.txt" Grüße.txt alt.RC4; do
    case $name in *" "*) sent+=" \"$win_files\\$name\"" ;; *) sent+=" $win_files\\$name" ;; esac
done
lists=$(TESSARIN_PROBE_RUN=$sent timeout 60 "$wine" "$probe" | tr -d '\r' | sort)
expected=$(printf '%s\n' "1 $win_files\\a.txt" "1 $win_files\\b c.txt" "1 $win_files\\Grüße.txt" \
                         "2 $win_files\\alt.RC4" | sort)
[ "$lists" = "$expected" ] || fail "files sent to Tessarin: expected
$expected
got
$lists"
echo "ok: four files sent as Explorer passes them are four items in the right lists"

# The windows opened above have closed, but their processes may still be ending: a program still
# running could not be deleted. So every process of the prefix ends before the uninstaller starts.
settle "the windows' processes"
# The uninstaller starts a copy of itself from the temporary folder (Au_.exe) and ends at once; the copy
# does the work, removing the program folder first and the entries and keys after it. Only when the
# copy has ended too, every process of the prefix with it, is what it leaves judged; the registry is
# written to user.reg by then as well.
"$wine" "$instdir/uninstall.exe" /S
settle "the uninstaller"
[ ! -e "$instdir" ] || fail "left behind: $(find "$instdir")"
[ ! -e "$start_menu" ] || fail "left behind: the Start-menu entry"
[ ! -e "$send_to" ] || fail "left behind: the \"Senden an\" entry"
for k in 'HKCU\Software\Classes\.rc4' 'HKCU\Software\Classes\Tessarin.Container' \
         'HKCU\Software\Classes\Applications\tessarin.exe' \
         'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessarin'; do
    if "$wine" reg query "$k" >/dev/null 2>&1; then fail "left behind: $k"; fi
done
if grep -qi 'tessarin' "$WINEPREFIX/user.reg"; then
    fail "left behind in the registry: $(grep -i tessarin "$WINEPREFIX/user.reg")"
fi
echo "ok: the uninstaller left no file and no key"
