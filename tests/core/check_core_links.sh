#!/bin/sh
# Fails when the core probe (or a test of the core) needs Qt Gui or Qt Widgets; it must need Qt
# Core, or the check proves nothing.
probe="$1"
needed=$(readelf -d "$probe" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')
echo "$needed"
if ! echo "$needed" | grep -q '^libQt6Core\.so'; then
    echo "the probe does not need Qt Core: it was not linked as expected" >&2
    exit 1
fi
if echo "$needed" | grep -E '^libQt6(Gui|Widgets|PrintSupport|Multimedia)\.so'; then
    echo "the core reaches the libraries above, which belong to the windows" >&2
    exit 1
fi
