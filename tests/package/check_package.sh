#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a user's system would receive: the programs,
# the man pages, the bash completion, the desktop entry and file-manager actions (desktop-file-validate),
# the container file type (the MIME database built from it types real files), the icon, the AppStream
# metainfo (appstreamcli validate --pedantic); then builds the two Debian packages and checks their
# names, contents and dependencies, and runs lintian over them.
# Usage: check_package.sh BUILD_DIR [--with-gui]
set -euo pipefail
build=$(cd "$1" && pwd)
gui=${2:-}
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# What GLib, AppStream and lintian keep for the user goes into the work folder, not the user's home.
export XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" XDG_DATA_HOME="$work/data" XDG_STATE_HOME="$work/state"

staging="$work/staging"
cmake --install "$build" --prefix "$staging" >/dev/null

cli_files=(bin/tessarin-cli share/man/man1/tessarin-cli.1.gz share/bash-completion/completions/tessarin-cli
           share/zsh/vendor-completions/_tessarin-cli share/fish/vendor_completions.d/tessarin-cli.fish
           share/doc/tessarin-cli/copyright share/doc/tessarin-cli/changelog.Debian.gz)
window_files=()
if [ "$gui" = --with-gui ]; then
    window_files=(bin/tessarin share/man/man1/tessarin.1.gz share/applications/tessarin.desktop
                  share/mime/packages/tessarin.xml share/icons/hicolor/scalable/apps/tessarin.svg
                  share/metainfo/de.tessarin.Tessarin.metainfo.xml
                  share/kio/servicemenus/tessarin-encrypt.desktop share/kio/servicemenus/tessarin-decrypt.desktop
                  share/nemo/actions/tessarin-encrypt.nemo_action share/nemo/actions/tessarin-decrypt.nemo_action
                  share/nemo/actions/tessarin-no-containers
                  share/Thunar/sendto/tessarin.desktop
                  share/doc/tessarin/copyright share/doc/tessarin/changelog.Debian.gz)
fi
for f in "${cli_files[@]}" "${window_files[@]}"; do
    [ -s "$staging/$f" ] || fail "not installed: $f"
done

version=$("$staging/bin/tessarin-cli" --version) || fail "installed tessarin-cli --version failed"
echo "installed: $version"
pages=(tessarin-cli)
[ "$gui" = --with-gui ] && pages+=(tessarin)
for page in "${pages[@]}"; do
    gzip -t "$staging/share/man/man1/$page.1.gz" || fail "man page $page is not valid gzip"
    zcat "$staging/share/man/man1/$page.1.gz" | grep -q '^\.TH' || fail "man page $page has no title line"
done

# Every option the parser of tessarin-cli accepts is named by its man page and offered by the completions
# (bash, zsh, fish; check_completions.sh runs the last two).
man_text=$(zcat "$staging/share/man/man1/tessarin-cli.1.gz" | sed 's/\\-/-/g')
completion="$staging/share/bash-completion/completions/tessarin-cli"
options=$(grep -oE '(argument|command) == "-[^"]+"' "$source_dir/cli/cli_options.cpp" | grep -oE '"-[^"]+"' | tr -d '"')
[ -n "$options" ] || fail "no options found in cli/cli_options.cpp"
for option in $options; do
    grep -qE -- "(^|[^a-z-])$option([^a-z-]|\$)" <<<"$man_text" || fail "the man page does not name $option"
    [ "$option" = -h ] || grep -qE -- "(^|[ '])$option([ ']|\$)" "$completion" ||
        fail "the completion does not offer $option"
    # zsh: an option's own entry ('--name[...', '--name:...', {-q,--quiet}), not a list of those it excludes.
    [ "$option" = -h ] || grep -qE -- "(^|['),{])$option([:[,}])" "$staging/share/zsh/vendor-completions/_tessarin-cli" ||
        fail "the zsh completion does not offer $option"
    # fish: "-l name", "-s q" or "-a --name"; "--" is fish's own, which its completions do not offer.
    fish_option=$(sed -E 's/^--(.+)/-l \1/; s/^-([^-])$/-s \1/' <<<"$option")
    [ "$option" = -h ] || [ "$option" = -- ] || grep -qE -- "(^| )($fish_option|-a $option)( |\$)" \
        "$staging/share/fish/vendor_completions.d/tessarin-cli.fish" || fail "the fish completion does not offer $option"
done

# The completion, loaded as bash-completion loads it on first use (from XDG_DATA_DIRS), completes the
# sub-commands, each sub-command's options, and after decrypt and verify only containers and folders.
source "$(dirname "$0")/completion_cases.sh"
files="$work/files"
make_completion_files "$files"
completed=$(cd "$files" && XDG_DATA_DIRS="$staging/share:/usr/share" bash --norc --noprofile -c '
    source /usr/share/bash-completion/bash_completion
    __load_completion tessarin-cli || { echo "not loaded"; exit; }
    complete_line() {
        COMP_LINE=$1; COMP_POINT=${#1}; read -ra COMP_WORDS <<<"$1"
        [[ $1 == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); COMPREPLY=()
        _tessarin_cli tessarin-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD-1]}"
        printf "%s|" "$1"; printf "%s " $(printf "%s\n" "${COMPREPLY[@]}" | sort); echo
    }
    for line; do complete_line "$line"; done
' _ "${completion_lines[@]}")
[ "$completed" = "$expected_completions" ] ||
    fail "bash completion: expected
$expected_completions
got
$completed"

if [ "$gui" = --with-gui ]; then
    desktop-file-validate "$staging/share/applications/tessarin.desktop" || fail "desktop entry is invalid"
    desktop-file-validate "$staging/share/Thunar/sendto/tessarin.desktop" || fail "Thunar's entry is invalid"
    xmllint --noout "$staging/share/mime/packages/tessarin.xml" || fail "MIME package does not parse"
    update-mime-database "$staging/share/mime" 2>"$work/mime.log" || fail "update-mime-database failed"
    if grep -qi 'error\|warning' "$work/mime.log"; then cat "$work/mime.log" >&2; fail "MIME package has faults"; fi
    grep -q 'application/x-tessarin-rc4:\*\.rc4' "$staging/share/mime/globs2" || fail "*.rc4 not registered"

    # The type as GLib's file managers see it (content sniffed where the name says nothing): a ".rc4" name
    # always, another name only when the header looks like a container's.
    typed="$work/typed"
    mkdir -p "$typed"
    printf 'geheim' >"$typed/plain.txt"
    printf 'pw\n' >"$work/pw"
    "$staging/bin/tessarin-cli" encrypt -q --password-file "$work/pw" "$typed/plain.txt"
    cp "$typed/plain.txt.rc4" "$typed/container"                        # a real header
    { printf 'rc4--------'; head -c 20 /dev/zero; } >"$typed/pending"   # checksum still pending
    printf 'rc4 ist eine Stromchiffre.\n' >"$typed/notes"               # text that begins with rc4
    printf 'rc4deadbeef und mehr Text\n' >"$typed/lower"                # lower-case "checksum"
    printf 'rc4 nur Text\n' >"$typed/text.rc4"                          # a container's name
    for row in "container:yes" "pending:yes" "notes:no" "lower:no" "text.rc4:yes" "plain.txt.rc4:yes"; do
        name=${row%%:*} want=${row##*:}
        type=$(XDG_DATA_DIRS="$staging/share:/usr/share" XDG_DATA_HOME="$work/no-home" \
               gio info -a standard::content-type "$typed/$name" | sed -n 's/^ *standard::content-type: //p')
        got=no
        [ "$type" = application/x-tessarin-rc4 ] && got=yes
        [ "$got" = "$want" ] || fail "file type of $name: $type (container type expected: $want)"
    done
    # GTK looks each of a file's icon names up in the user's icon theme before hicolor, where ours is: a
    # name a theme has too (application-x-generic) would put the theme's blank icon on containers in Nemo.
    icons=$(XDG_DATA_DIRS="$staging/share:/usr/share" XDG_DATA_HOME="$work/no-home" \
            gio info -a standard::icon "$typed/plain.txt.rc4" | sed -n 's/^ *standard::icon: //p')
    [ -n "$icons" ] || fail "the container type has no icon"
    for icon in ${icons//,/ }; do
        case $icon in
        tessarin | tessarin-symbolic | application-x-tessarin-rc4 | application-x-tessarin-rc4-symbolic) ;;
        *) fail "the container's icons ($icons) name $icon, which an icon theme finds before ours" ;;
        esac
    done

    # The software-centre entry: valid AppStream naming the installed desktop entry and this release.
    metainfo="$staging/share/metainfo/de.tessarin.Tessarin.metainfo.xml"
    appstreamcli validate --pedantic --no-net "$metainfo" || fail "AppStream metainfo is invalid"
    grep -q '<launchable type="desktop-id">tessarin.desktop</launchable>' "$metainfo" \
        || fail "AppStream metainfo does not name tessarin.desktop"
    grep -q "<release version=\"${version##* }\" date=\"" "$metainfo" || fail "AppStream names no release $version"
fi

# The Debian packages themselves.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null) || fail "cpack failed"
arch=$(dpkg --print-architecture)
check_deb() { # NAME FILE...: the package exists and holds each file under /usr
    local name=$1 deb
    shift
    deb=$(find "$work/deb" -maxdepth 1 -name "${name}_*.deb")
    [ "$(basename "$deb")" = "${name}_${version##* }-1_$arch.deb" ] || fail "unexpected package for $name: $deb"
    local contents
    contents=$(dpkg-deb -c "$deb")
    for f in "$@"; do
        grep -q "\./usr/$f\$" <<<"$contents" || fail "$name lacks /usr/$f"
    done
    echo "$deb"
}
cli_deb=$(check_deb tessarin-cli "${cli_files[@]}")
# tessarin-cli needs nothing beyond the C and C++ runtime, which every Debian system has: no Qt, no X.
cli_depends=$(dpkg-deb -f "$cli_deb" Depends)
echo "tessarin-cli depends: $cli_depends"
for dep in $(sed 's/([^)]*)//g; s/,/ /g' <<<"$cli_depends"); do
    case $dep in libc6 | libstdc++6 | libgcc-s1) ;; *) fail "tessarin-cli depends on $dep" ;; esac
done
grep -q libstdc++6 <<<"$cli_depends" || fail "tessarin-cli does not depend on libstdc++6"
dpkg-deb --fsys-tarfile "$cli_deb" | tar -xO ./usr/bin/tessarin-cli >"$work/cli.bin"
needed=$(readelf -d "$work/cli.bin" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p' | tr '\n' ' ')
for lib in $needed; do
    case $lib in libc.so.* | libm.so.* | libstdc++.so.* | libgcc_s.so.*) ;; *) fail "tessarin-cli links $lib" ;; esac
done
debs=("$cli_deb")
if [ "$gui" = --with-gui ]; then
    window_deb=$(check_deb tessarin "${window_files[@]}")
    window_depends=$(dpkg-deb -f "$window_deb" Depends)
    echo "tessarin depends: $window_depends"
    for dep in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 qt6-translations-l10n; do
        grep -q "$dep" <<<"$window_depends" || fail "tessarin does not depend on $dep"
    done
    if dpkg-deb -c "$window_deb" | grep -q 'tessarin-cli'; then fail "tessarin holds tessarin-cli's files"; fi
    debs+=("$window_deb")
fi

# Reproducible: a second run, from and into other folders and some seconds later, packs the same bytes;
# every member, in the package and in its two archives, carries the release date; each package has its
# SHA-256 sum beside it, as sha256sum checks it.
mkdir "$work/again"
(cd "$work/again" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/again/deb" >/dev/null) ||
    fail "cpack failed the second time"
# The release date, unless a SOURCE_DATE_EPOCH of the caller's names another.
release_date=$(sed -n 's/^set(TESSARIN_RELEASE_DATE \([0-9-]*\))$/\1/p' "$source_dir/cmake/release.cmake")
[ -n "$release_date" ] || fail "no release date in cmake/release.cmake"
epoch=${SOURCE_DATE_EPOCH:-$(date -u -d "$release_date" +%s)}
release_date=$(TZ=UTC date -d "@$epoch" '+%Y-%m-%d %H:%M:%S')
for deb in "${debs[@]}"; do
    name=$(basename "$deb")
    cmp -s "$deb" "$work/again/deb/$name" || fail "two runs of cpack made two different $name"
    times=$({ TZ=UTC dpkg-deb --fsys-tarfile "$deb" | tar -tv --full-time
              TZ=UTC dpkg-deb --ctrl-tarfile "$deb" | tar -tv --full-time; } | awk '{print $4 " " $5}' | sort -u)
    [ "$times" = "$release_date" ] || fail "$name holds files not dated $release_date: $times"
    times=$(LC_ALL=C TZ=UTC ar tv "$deb" | awk '{print $4 " " $5 " " $6 " " $7}' | sort -u)
    [ "$times" = "$(LC_ALL=C TZ=UTC date -d "@$epoch" '+%b %-d %H:%M %Y')" ] ||
        fail "$name's members are not dated $release_date: $times"
    [ -s "$deb.sha256" ] || fail "no SHA-256 sum beside $name"
    (cd "$work/deb" && sha256sum --check --status "$name.sha256") || fail "the SHA-256 sum of $name does not match"
    grep -q " $name\$" "$deb.sha256" || fail "$name.sha256 names another file: $(cat "$deb.sha256")"
done
echo "reproducible: two runs of cpack gave the same bytes, dated $release_date, with their SHA-256 sums"

# Debian's own checks: no error and no warning (information tags are German words taken for typos).
lintian --allow-root --pedantic "${debs[@]}" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
if grep -qE '^[EW]:' "$work/lintian.log"; then fail "lintian reports errors or warnings"; fi
echo "packages ok: $(basename -a "${debs[@]}" | tr "\n" " ")"
