#!/bin/sh
# Runs the program with no display named anywhere: it must end at once with status 2 and say on
# its error output that it needs a graphical display.
program=$1
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>&1 </dev/null)
status=$?
if [ "$status" -ne 2 ]; then
    echo "expected status 2 without a display, got $status: $output"
    exit 1
fi
case "$output" in
*"needs a graphical display"*) exit 0 ;;
*)
    echo "the message does not say what is missing: $output"
    exit 1
    ;;
esac
