#!/bin/sh
# Runs a test program beside a private PulseAudio server whose only output is a null sink, so
# that sounds can be played and counted on a machine without a sound card. The program learns
# of the server from DORVANTIX_TEST_SINK; without pulseaudio it runs alone and its sound tests
# skip.
set -u
if ! command -v pulseaudio >/dev/null 2>&1 || ! command -v pactl >/dev/null 2>&1; then
    exec "$@"
fi
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime"
unset PULSE_SERVER
HOME="$runtime" pulseaudio --daemonize=no --exit-idle-time=-1 -n \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=testsink" \
    >"$runtime/pulseaudio.log" 2>&1 &
server=$!
ready=no
for _ in $(seq 100); do
    if pactl info >/dev/null 2>&1; then
        ready=yes
        break
    fi
    sleep 0.1
done
if [ "$ready" = yes ]; then
    export DORVANTIX_TEST_SINK=testsink
else
    echo "with_sound_server: the PulseAudio test server did not start:" >&2
    cat "$runtime/pulseaudio.log" >&2
fi
"$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$runtime"
exit $status
