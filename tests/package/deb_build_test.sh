#!/usr/bin/env bash
# Builds the Debian package with CPack into OUTPUT_DIR and checks its control fields and its
# contents: the libraries computed from the binaries, the fonts and the sound server it needs at
# run time, and every installed file in place.
#   deb_build_test.sh BUILD_DIR OUTPUT_DIR VERSION PREFIX
set -euo pipefail
build_dir=$1
output_dir=$2
version=$3
prefix=$4

for tool in dpkg-deb dpkg-shlibdeps; do
    if ! command -v $tool >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed (dpkg, dpkg-dev): the Debian package cannot be built here"
        exit 77
    fi
done

rm -rf "$output_dir"
mkdir -p "$output_dir"
if ! cpack --config "$build_dir/CPackConfig.cmake" -B "$output_dir" >"$output_dir/cpack.log" 2>&1; then
    cat "$output_dir/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
debs=("$output_dir"/dorvantix_*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    echo "FAIL: expected one dorvantix_*.deb in $output_dir, found: ${debs[*]}"
    exit 1
fi
deb=${debs[0]}

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = dorvantix ] || fail "the package is named $(field Package)"
[ "$(field Version)" = "$version" ] || fail "the package version is $(field Version), not $version"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] ||
    fail "the package is built for $(field Architecture)"

depends=$(field Depends)
echo "Depends: $depends"
for needed in libqt6widgets6 libpulse0 libsqlite3-0 fonts-liberation pulseaudio; do
    grep -Eq "(^|[ ,|])$needed( |,|$)" <<<"$depends" || fail "Depends does not name $needed"
done

contents=$(dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for path in bin/dorvantix bin/dorvantix-reg bin/dorvantix-log share/dorvantix/alarm.wav \
    share/applications/dorvantix.desktop share/metainfo/com.ostravane.dorvantix.metainfo.xml \
    share/icons/hicolor/scalable/apps/dorvantix.svg share/icons/hicolor/48x48/apps/dorvantix.png \
    share/man/man1/dorvantix.1.gz share/man/man1/dorvantix-reg.1.gz \
    share/man/man1/dorvantix-log.1.gz; do
    grep -qx "$prefix/$path" <<<"$contents" || fail "the package lacks $prefix/$path"
done

# Debug information stays out of the package: the programs are stripped.
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
for program in dorvantix dorvantix-reg dorvantix-log; do
    file -b "$unpacked$prefix/bin/$program" | grep -q ', stripped' ||
        fail "$program is not stripped: $(file -b "$unpacked$prefix/bin/$program")"
done

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "built $(basename "$deb")"
