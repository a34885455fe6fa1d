#!/usr/bin/env bash
# Installs the build into a staging folder and checks what a user's system would receive: the programs,
# the man pages, the desktop entry (desktop-file-validate), the container file type (it parses, and the
# MIME database built from it knows "*.rc4" and the "rc4" marker), the icon, the AppStream metainfo
# (appstreamcli validate); then builds the Debian package and checks its name, contents and dependencies.
# Usage: check_package.sh BUILD_DIR [--with-gui]
set -euo pipefail
build=$1
gui=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

staging="$work/staging"
cmake --install "$build" --prefix "$staging" >/dev/null

expected=(bin/tessarin-cli share/man/man1/tessarin-cli.1.gz share/man/man1/tessarin.1.gz)
if [ "$gui" = --with-gui ]; then
    expected+=(bin/tessarin share/applications/tessarin.desktop share/mime/packages/tessarin.xml
               share/icons/hicolor/scalable/apps/tessarin.svg share/metainfo/de.tessarin.Tessarin.metainfo.xml)
fi
for f in "${expected[@]}"; do
    [ -s "$staging/$f" ] || fail "not installed: $f"
done

version=$("$staging/bin/tessarin-cli" --version) || fail "installed tessarin-cli --version failed"
echo "installed: $version"
for page in tessarin tessarin-cli; do
    gzip -t "$staging/share/man/man1/$page.1.gz" || fail "man page $page is not valid gzip"
    zcat "$staging/share/man/man1/$page.1.gz" | grep -q '^\.TH' || fail "man page $page has no title line"
done

if [ "$gui" = --with-gui ]; then
    desktop-file-validate "$staging/share/applications/tessarin.desktop" || fail "desktop entry is invalid"
    xmllint --noout "$staging/share/mime/packages/tessarin.xml" || fail "MIME package does not parse"
    update-mime-database "$staging/share/mime" 2>"$work/mime.log" || fail "update-mime-database failed"
    if grep -qi 'error\|warning' "$work/mime.log"; then cat "$work/mime.log" >&2; fail "MIME package has faults"; fi
    grep -q 'application/x-tessarin-rc4:\*\.rc4' "$staging/share/mime/globs2" || fail "*.rc4 not registered"
    grep -qa 'application/x-tessarin-rc4' "$staging/share/mime/magic" || fail "rc4 marker not registered"
    # The software-centre entry: valid AppStream naming the installed desktop entry.
    metainfo="$staging/share/metainfo/de.tessarin.Tessarin.metainfo.xml"
    appstreamcli validate --no-net "$metainfo" || fail "AppStream metainfo is invalid"
    grep -q '<launchable type="desktop-id">tessarin.desktop</launchable>' "$metainfo" \
        || fail "AppStream metainfo does not name tessarin.desktop"
fi

# The Debian package itself.
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null) || fail "cpack failed"
deb=$(find "$work/deb" -maxdepth 1 -name '*.deb')
[ "$(basename "$deb")" = "tessarin_1.1.0.109_$(dpkg --print-architecture).deb" ] || fail "unexpected package name: $deb"
contents=$(dpkg-deb -c "$deb")
for f in "${expected[@]}"; do
    grep -q "\./usr/$f\$" <<<"$contents" || fail "package lacks /usr/$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
grep -q 'libstdc++6' <<<"$depends" || fail "package does not depend on libstdc++6"
if [ "$gui" = --with-gui ]; then
    for dep in libqt6widgets6 libqt6gui6 libqt6core6 libqt6svg6 qt6-translations-l10n; do
        grep -q "$dep" <<<"$depends" || fail "package does not depend on $dep"
    done
fi
echo "package ok: $(basename "$deb")"
