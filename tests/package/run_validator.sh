#!/usr/bin/env bash
# Runs a validator on a file and passes when the validator accepts it; skips (exit 77) when the
# validator is not installed on this machine.
#   run_validator.sh [--silent-when-clean] PACKAGE COMMAND [ARGUMENTS...]
# With --silent-when-clean any remark the validator prints (a hint, say) fails the check too.
set -uo pipefail
silent_when_clean=false
if [ "$1" = --silent-when-clean ]; then
    silent_when_clean=true
    shift
fi
package=$1
shift
if ! command -v "$1" >/dev/null 2>&1; then
    echo "SKIP: $1 is not installed (Debian package $package), so this file cannot be checked"
    exit 77
fi
output=$("$@" 2>&1)
status=$?
[ -n "$output" ] && printf '%s\n' "$output"
if [ $status -ne 0 ]; then
    echo "FAIL: $* exited with $status"
    exit 1
fi
if $silent_when_clean && [ -n "$output" ]; then
    echo "FAIL: $1 has remarks on the file"
    exit 1
fi
exit 0
