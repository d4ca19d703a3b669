#!/usr/bin/env bash
# Installs the build into a temporary staging folder (DESTDIR) and checks
# that the program, mnf-inspect, the menu entry, the icon, the MIME package
# and the English message catalogue are there, that the menu entry and the
# XML files are well formed, and that the MIME package makes *.mnf and
# *.mvf design files.
set -euo pipefail
build=$1
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
DESTDIR=$stage cmake --install "$build" --prefix /usr >/dev/null
root=$stage/usr
for f in bin/QuorvaneViewer bin/mnf-inspect share/applications/quorvane-viewer.desktop \
         share/icons/hicolor/scalable/apps/quorvane-viewer.svg share/mime/packages/quorvane-viewer.xml \
         share/quorvane-viewer/locale/en/LC_MESSAGES/default.mo; do
  [ -e "$root/$f" ] || { echo "missing after install: $f" >&2; exit 1; }
done
[ -x "$root/bin/QuorvaneViewer" ] || { echo "QuorvaneViewer is not executable" >&2; exit 1; }
desktop-file-validate "$root/share/applications/quorvane-viewer.desktop"
xmllint --noout "$root/share/mime/packages/quorvane-viewer.xml" "$root/share/icons/hicolor/scalable/apps/quorvane-viewer.svg"
# The MIME database built from the package alone names both patterns, and
# the menu entry opens both types.
update-mime-database "$root/share/mime"
grep -qx 'application/x-quorvane-manifold:\*\.mnf' "$root/share/mime/globs" || { echo "*.mnf not registered" >&2; exit 1; }
grep -qx 'application/x-quorvane-viewer:\*\.mvf' "$root/share/mime/globs" || { echo "*.mvf not registered" >&2; exit 1; }
grep -q '^MimeType=.*application/x-quorvane-manifold;' "$root/share/applications/quorvane-viewer.desktop"
grep -q '^Exec=QuorvaneViewer %f$' "$root/share/applications/quorvane-viewer.desktop"
echo "installed and valid"
