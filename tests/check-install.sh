#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks that everything lands
# where a desktop looks for it.
set -eu
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
missing=0
for file in bin/velmarin \
            share/applications/org.velmarin.Velmarin.desktop \
            share/metainfo/org.velmarin.Velmarin.metainfo.xml \
            share/icons/hicolor/scalable/apps/org.velmarin.Velmarin.svg \
            share/man/man1/velmarin.1.gz \
            share/doc/velmarin/copyright share/doc/velmarin/changelog.gz \
            share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/org.velmarin.Velmarin.png; do
    if [ ! -s "$prefix/$file" ]; then
        echo "missing: $file"
        missing=1
    fi
done
[ -x "$prefix/bin/velmarin" ] || { echo "not executable: bin/velmarin"; missing=1; }
[ "$missing" -eq 0 ] && echo "installed: $(cd "$prefix" && find . -type f | wc -l) files"
exit "$missing"
