#!/usr/bin/env bash
# Installs the built Debian package as a user would, runs the installed programs, and removes the
# package again, leaving the machine as it found it.
#   deb_install_test.sh PACKAGE_DIR DATA_DIR
# DATA_DIR is the folder compiled into the program in which it finds alarm.wav.
set -uo pipefail
package_dir=$1
data_dir=$2

skip() {
    echo "SKIP: $*"
    exit 77
}
[ "$(id -u)" -eq 0 ] || skip "installing a package needs root; run the tests as root to check it"
if [ ! -f /etc/debian_version ] || ! command -v dpkg >/dev/null || ! command -v apt-get >/dev/null; then
    skip "this is not a Debian machine (no dpkg and apt-get)"
fi
debs=("$package_dir"/dorvantix_*.deb)
if [ ! -f "${debs[0]}" ]; then
    echo "FAIL: no package in $package_dir: the packaging test must run first"
    exit 1
fi
deb=$(realpath "${debs[0]}")

package_status() { dpkg-query -W -f='${db:Status-Status}' dorvantix 2>/dev/null; }
case "$(package_status)" in
'' | not-installed) ;;
*) skip "a dorvantix package is already installed here; this test leaves it alone" ;;
esac
packaged_files=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|')
for path in $packaged_files; do
    [ ! -e "$path" ] || skip "$path already exists outside any package; installing would replace it"
done

work=$(mktemp -d)
pid=
apt() {
    DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -q "$@" >>"$work/apt.log" 2>&1
}
# The packages that apt installed besides dorvantix to satisfy its dependencies.
brought_in() {
    awk '/^The following NEW packages will be installed:/ {new = 1; next}
         new && /^  / {print; next} {new = 0}' "$work/apt.log" | tr ' ' '\n' |
        grep -v -e '^$' -e '^dorvantix$' || true
}
# Ends the program, removes the package and whatever its installation brought in, and the
# temporary files; safe to call twice.
clean_up() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    pid=
    if [ -d "$work" ]; then
        case "$(package_status)" in
        '' | not-installed) ;;
        *) apt purge dorvantix || dpkg --purge dorvantix ;;
        esac
        local extra
        mapfile -t extra < <(brought_in)
        [ ${#extra[@]} -eq 0 ] || apt purge "${extra[@]}"
        rm -rf "$work"
    fi
}
trap clean_up EXIT

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

if ! apt install --no-install-recommends "$deb"; then
    cat "$work/apt.log"
    echo "FAIL: the package does not install"
    exit 1
fi
mapfile -t extra < <(brought_in)
[ ${#extra[@]} -eq 0 ] || echo "note: installing the package downloaded and installed ${extra[*]}"

program=$(dpkg -L dorvantix | grep -E '/bin/dorvantix$')
regtool=$(dpkg -L dorvantix | grep -E '/bin/dorvantix-reg$')
[ -f "$data_dir/alarm.wav" ] || fail "alarm.wav is not in $data_dir, where the program looks for it"

help=$("$regtool" --help) || fail "the installed dorvantix-reg --help exits with $?"
grep -q '^Usage: dorvantix-reg' <<<"$help" || fail "dorvantix-reg --help shows no usage: $help"

# The installed hive tool seeds a tariff into a hive of the test's own and reads it back.
hive=$work/hive.db
printf '%s\n' REGEDIT4 '' '[HKEY_LOCAL_MACHINE\Software\Ostravane\Dorvantix]' \
    '"OffPeakStart"="18:00:00"' '"OffPeakEnd"="08:00:00"' '"WeekendStart"="18:00:00"' \
    '"WeekendEnd"="08:00:00"' '"FirstRun"=dword:00000001' >"$work/tariff.reg"
"$regtool" --hive "$hive" import "$work/tariff.reg" ||
    fail "the installed dorvantix-reg cannot import a tariff"
seeded=$("$regtool" --hive "$hive" query 'Software\Ostravane\Dorvantix' OffPeakStart)
[ "$seeded" = 18:00:00 ] || fail "the installed dorvantix-reg reads back '$seeded', not 18:00:00"

# The installed log tool reads that hive: no sessions yet, only the CSV header.
logtool=$(dpkg -L dorvantix | grep -E '/bin/dorvantix-log$')
periods=$("$logtool" --hive "$hive" periods --format csv) ||
    fail "the installed dorvantix-log exits with $? on a hive without sessions"
[ "$(tr -d '\r' <<<"$periods")" = start,end,calls,seconds,cost,estimated_seconds,estimated_cost ] ||
    fail "the installed dorvantix-log prints '$periods' for a hive without sessions"

# The installed program on the offscreen platform, with a home and that hive of its own.
mkdir -p "$work/home" "$work/runtime"
chmod 700 "$work/runtime"
env -u DISPLAY -u WAYLAND_DISPLAY -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u XDG_CACHE_HOME \
    HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" DORVANTIX_HIVE="$hive" \
    QT_QPA_PLATFORM=offscreen "$program" >"$work/program.log" 2>&1 &
pid=$!
sleep 3
if kill -0 "$pid" 2>/dev/null && [ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null)" != Z ]; then
    kill -TERM "$pid"
    wait "$pid" 2>/dev/null
else
    wait "$pid"
    fail "the installed program ended at start with status $?: $(cat "$work/program.log")"
fi
pid=

clean_up
case "$(package_status)" in
'' | not-installed) ;;
*) fail "the package is still $(package_status) after purging it" ;;
esac
for path in $packaged_files; do
    [ ! -e "$path" ] || fail "$path is left behind after purging the package"
done
[ ! -e "$data_dir" ] || fail "$data_dir is left behind after purging the package"

if [ $failures -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "installed, ran and removed $(basename "$deb")"
