#!/bin/sh
# Starts the program on the offscreen platform with a settings store of its own, where it has run
# before, sends it SIGTERM and expects it to end by itself with status 0 (a program killed by
# the signal ends with 143).
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen DORVANTIX_HIVE="$work/hive.db" XDG_CONFIG_HOME="$work/config" \
    XDG_DATA_HOME="$work/data" XDG_RUNTIME_DIR="$work"
reg=$(dirname "$program")/regtool/dorvantix-reg
if [ -x "$reg" ]; then
    printf 'REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Ostravane\\Dorvantix]\n"FirstRun"=dword:00000001\n' \
        >"$work/seed.reg"
    "$reg" import "$work/seed.reg" || exit 1
fi
"$program" >"$work/output" 2>&1 &
pid=$!
sleep 2
if ! kill -0 "$pid" 2>/dev/null; then
    echo "the program ended before it was asked to:"
    cat "$work/output"
    exit 1
fi
kill -TERM "$pid"
for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"
    echo "the program did not end within 5 seconds of SIGTERM"
    exit 1
fi
wait "$pid"
status=$?
if [ "$status" -ne 0 ]; then
    echo "the program ended with status $status:"
    cat "$work/output"
    exit 1
fi
