#!/bin/sh
# own_server_test.sh: two test runs side by side, both asking
# with-smtp-server.sh for port 25 (the port SendEMail always uses), each get a
# server of their own: both start, on different addresses, and each receives
# only its own run's mail.
here=$(cd "$(dirname "$0")" && pwd)
meet=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-own-server.XXXXXX") || exit 1
trap 'rm -rf "$meet"' EXIT

# Run as a test program by with-smtp-server.sh: $1 is this run's name, $2 the
# other's. The runs meet so that both servers are up at once.
probe='
me=$1 other=$2 meet=$3
wait_for() { i=0; while [ ! -f "$meet/$1" ]; do i=$((i+1)); [ $i -gt 200 ] && return 1; sleep 0.1; done; }
touch "$meet/$me-up"
wait_for "$other-up" || { echo "$me: the other run never started"; exit 1; }
/usr/bin/python3 -c "
import smtplib, sys
with smtplib.SMTP(sys.argv[1], int(sys.argv[2]), timeout=10) as server:
    server.sendmail(\"s@example.com\", [\"t@example.com\"], \"Subject: run %s\r\n\r\nbody\r\n\" % sys.argv[3])
" "$TARVEX_SMTP_HOST" "$TARVEX_SMTP_PORT" "$me" || exit 1
touch "$meet/$me-sent"
wait_for "$other-sent" || { echo "$me: the other run never sent"; exit 1; }
maildir=${TARVEX_SMTP_MAILDIR#Z:}
count=$(ls "$maildir" | wc -l)
own=$(printf "run %s" "$me" | od -An -tx1 | tr -d " \n")
[ "$count" = 1 ] && grep -q "$own" "$maildir"/message-0001.txt || { echo "$me: received $count messages, not its own one"; exit 1; }
echo "$TARVEX_SMTP_HOST $TARVEX_SMTP_PORT" >"$meet/$me-address"
'

"$here/with-smtp-server.sh" 25 /bin/sh -c "$probe" probe A B "$meet" &
first=$!
"$here/with-smtp-server.sh" 25 /bin/sh -c "$probe" probe B A "$meet" &
second=$!
wait "$first"; first_status=$?
wait "$second"; second_status=$?
[ "$first_status" = 0 ] && [ "$second_status" = 0 ] || { echo "a run failed ($first_status, $second_status)"; exit 1; }

read -r host_a port_a <"$meet/A-address"
read -r host_b port_b <"$meet/B-address"
echo "run A: $host_a:$port_a, run B: $host_b:$port_b"
[ "$port_a" = 25 ] && [ "$port_b" = 25 ] || { echo "not port 25"; exit 1; }
[ "$host_a" != "$host_b" ] || { echo "both runs on one address"; exit 1; }
for host in "$host_a" "$host_b"; do
    case "$host" in 127.0.0.*) echo "a server on $host"; exit 1 ;; esac
done
echo "passed"
