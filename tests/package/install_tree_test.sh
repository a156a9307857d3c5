#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks that everything a Linux desktop needs
# lands where it looks for it: both programs, the alarm sound, the desktop entry, the AppStream
# description, the icon at every size of the hicolor theme and a manual page for each program.
#   install_tree_test.sh BUILD_DIR
set -euo pipefail
build_dir=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

cmake --install "$build_dir" --prefix "$prefix" >/dev/null

for program in dorvantix dorvantix-reg dorvantix-log; do
    [ -x "$prefix/bin/$program" ] || fail "bin/$program is missing or not executable"
done

expect_file() {
    [ -s "$prefix/$1" ] || fail "$1 is missing or empty"
}
expect_file share/dorvantix/alarm.wav
# The alarm sound's player, loaded by the program from beside its own folder.
ls "$prefix"/lib*/dorvantix/dorvantix-sound.so >/dev/null 2>&1 ||
    fail "lib/dorvantix/dorvantix-sound.so is missing"
expect_file share/applications/dorvantix.desktop
expect_file share/metainfo/com.ostravane.dorvantix.metainfo.xml
expect_file share/icons/hicolor/scalable/apps/dorvantix.svg
expect_file share/man/man1/dorvantix.1.gz
expect_file share/man/man1/dorvantix-reg.1.gz
expect_file share/man/man1/dorvantix-log.1.gz

# The entry names its icon by the name the theme's files carry.
grep -qx 'Icon=dorvantix' "$prefix/share/applications/dorvantix.desktop" ||
    fail "the desktop entry does not name the icon dorvantix"

for size in 16 22 24 32 48 64 128 256; do
    png=share/icons/hicolor/${size}x${size}/apps/dorvantix.png
    if [ ! -f "$prefix/$png" ]; then
        fail "$png is missing"
    elif ! file "$prefix/$png" | grep -q "PNG image data, $size x $size,"; then
        fail "$png is not a $size x $size PNG: $(file -b "$prefix/$png")"
    fi
done
grep -q '<svg' "$prefix/share/icons/hicolor/scalable/apps/dorvantix.svg" ||
    fail "the scalable icon is not an SVG image"

for page in dorvantix dorvantix-reg dorvantix-log; do
    gz=$prefix/share/man/man1/$page.1.gz
    [ -f "$gz" ] || continue
    if ! gzip -t "$gz"; then
        fail "$page.1.gz is not a gzip file"
    elif command -v groff >/dev/null 2>&1; then
        remarks=$(gzip -dc "$gz" | LC_ALL=C.UTF-8 groff -man -ww -z 2>&1) || true
        [ -z "$remarks" ] || fail "groff finds mistakes in $page.1: $remarks"
    fi
    gzip -dc "$gz" | grep -q "^\.TH ${page^^} 1 " ||
        fail "$page.1 does not start its page as $page(1)"
done

# Software centres read the description, the entry and the icons together.
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate-tree --no-net "$prefix" || fail "appstreamcli rejects the installed tree"
fi

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "the installed tree is complete"
