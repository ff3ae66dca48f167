#!/usr/bin/env bash
# Installs the build tree into a temporary prefix and checks it as the package will hold it: every file in
# a place the package owns, the program, its help and desktop data present, the desktop data valid and
# naming each other, and both programs answering --version and --help without a display.
# Usage: package-contents.sh BUILD_DIR VERSION
set -euo pipefail
build="$1" version="$2"
root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
cmake --install "$build" --prefix "$root/usr" >/dev/null
status=0
fail() { echo "package-contents: $*"; status=1; }

share=/usr/share
metainfo=$share/metainfo/org.quorvel.quorvel.metainfo.xml
desktop=$share/applications/quorvel.desktop
mime=$share/mime/packages/quorvel-fun.xml
required=(/usr/bin/quorvel /usr/bin/quorvel-cli "$desktop" "$mime" "$metainfo"
    $share/icons/hicolor/scalable/apps/quorvel.svg $share/quorvel/help/index.htm)
for f in "${required[@]}"; do [ -f "$root$f" ] || fail "missing $f"; done
ls "$root$share/quorvel/tubiaolizi/"*.bmp >/dev/null 2>&1 || fail "no example pictures in $share/quorvel/tubiaolizi"
owned="^(/usr/bin/quorvel(-cli)?|$desktop|$mime|$metainfo|$share/icons/hicolor/[^/]+/apps/quorvel\.(svg|png)|$share/quorvel/.+)$"
while read -r f; do
    fail "installed outside the package's places: $f"
done < <(cd "$root" && find . ! -type d | sed 's/^\.//' | grep -Ev "$owned" || true)

desktop-file-validate "$root$desktop" || fail "desktop-file-validate refuses $desktop"
appstreamcli validate --no-net "$root$metainfo" >/dev/null || fail "appstreamcli refuses $metainfo:
$(appstreamcli validate --no-net "$root$metainfo" 2>&1)"
# The desktop file, the MIME type, the icon and the metainfo name each other.
type=$(sed -n 's/.*<mime-type type="\([^"]*\)".*/\1/p' "$root$mime")
grep -qx "MimeType=$type;" "$root$desktop" || fail "the desktop file does not open $type"
grep -q "<mediatype>$type</mediatype>" "$root$metainfo" || fail "the metainfo does not name $type"
grep -qx "Icon=quorvel" "$root$desktop" || fail "the desktop file names another icon"
grep -q '<launchable type="desktop-id">quorvel.desktop</launchable>' "$root$metainfo" ||
    fail "the metainfo launches another desktop file"
grep -q "<release version=\"$version\"" "$root$metainfo" || fail "the metainfo has no release $version"

for program in quorvel quorvel-cli; do
    out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$program" --version) ||
        fail "$program --version failed"
    [ "$out" = "$program $version" ] || fail "$program --version says '$out'"
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/$program" --help | grep -q "^usage: $program" ||
        fail "$program --help gives no usage"
done
exit $status
