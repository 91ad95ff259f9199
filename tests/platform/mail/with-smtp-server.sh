#!/bin/sh
# with-smtp-server.sh PORT WINE_RUN PROGRAM [ARGS...]
# Runs one test program through WINE_RUN while a real SMTP server (aiosmtpd
# with the tests' recording handler, smtp_server.py) listens on PORT (0: any
# free port) of a loopback address 127.x.y.z picked for this run alone, and
# stops the server when the program ends, whatever the outcome. The program
# finds the server through TARVEX_SMTP_HOST and TARVEX_SMTP_PORT, and what it
# received in TARVEX_SMTP_MAILDIR (a Windows path).
port=$1
winerun=$2
shift 2

# Listing the test cases needs no server.
for arg in "$@"; do
    [ "$arg" = "--gtest_list_tests" ] && exec "$winerun" "$@"
done

here=$(cd "$(dirname "$0")" && pwd)
python=/usr/bin/python3
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-smtp.XXXXXX") || exit 1
server=""
program=""
cleanup() {
    [ -n "$program" ] && kill "$program" 2>/dev/null
    if [ -n "$server" ]; then
        kill "$server" 2>/dev/null
        wait "$server" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT
trap 'echo "with-smtp-server: stopped by a signal" >&2; exit 143' INT TERM HUP

# Should this script be killed before it can stop the server, the server
# still ends: at once when the system can tell it (parent-death signal),
# else after ten minutes.
guard=""
command -v setpriv >/dev/null 2>&1 && guard="setpriv --pdeathsig TERM"
PYTHONPATH="$here" $guard timeout 600 $python "$here/smtp_server.py" "$port" "$work/mail" "$work/ready" \
    >"$work/server.log" 2>&1 &
server=$!

# The server names its address once it listens there.
for attempt in $(seq 1 100); do
    [ -f "$work/ready" ] && break
    kill -0 "$server" 2>/dev/null || break
    sleep 0.1
done
if [ ! -f "$work/ready" ]; then
    echo "with-smtp-server: the SMTP server did not start on port $port" >&2
    cat "$work/server.log" >&2
    exit 1
fi
read -r host port <"$work/ready"

export TARVEX_SMTP_HOST="$host"
export TARVEX_SMTP_PORT="$port"
export TARVEX_SMTP_MAILDIR="Z:$work/mail"
# In the background, so that a signal to this script is handled at once
# rather than when the program ends.
"$winerun" "$@" &
program=$!
wait "$program"
status=$?
program=""
exit $status
