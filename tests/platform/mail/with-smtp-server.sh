#!/bin/sh
# with-smtp-server.sh PORT WINE_RUN PROGRAM [ARGS...]
# Runs one test program through WINE_RUN while a real SMTP server (aiosmtpd
# with the tests' recording handler) listens on 127.0.0.1:PORT (0: any free
# port), and stops the server when the program ends, whatever the outcome.
# The program finds the server through TARVEX_SMTP_PORT and what it received
# in TARVEX_SMTP_MAILDIR (a Windows path).
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
trap 'exit 143' INT TERM HUP

if [ "$port" = 0 ]; then
    port=$($python -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
fi

# Should this script be killed before it can stop the server, the server
# still ends: at once when the system can tell it (parent-death signal),
# else after ten minutes.
guard=""
command -v setpriv >/dev/null 2>&1 && guard="setpriv --pdeathsig TERM"
PYTHONPATH="$here" $guard timeout 600 $python -m aiosmtpd -n -l "127.0.0.1:$port" \
    -c smtp_recorder.Recorder "$work/mail" >"$work/server.log" 2>&1 &
server=$!

ready=""
for attempt in $(seq 1 100); do
    kill -0 "$server" 2>/dev/null || break
    if $python -c "import socket; socket.create_connection(('127.0.0.1', $port), 1).close()" \
        2>/dev/null; then
        ready=yes
        break
    fi
    sleep 0.1
done
if [ -z "$ready" ]; then
    echo "with-smtp-server: the SMTP server did not start on 127.0.0.1:$port" >&2
    cat "$work/server.log" >&2
    exit 1
fi

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
