#!/bin/sh
# wine-prefix.sh init|stop PREFIX [PERSIST]
# Creates a throw-away Wine prefix for the tests, or stops its wineserver.
# PERSIST is how many seconds the server outlives its last program (default
# 60; empty: until stopped).
# The system processes must not inherit any pipe of the caller, or a later
# piped test can make CTest wait for ever: every start here is on /dev/null.
set -e
action=$1
prefix=$2
persist=${3-60}
[ -n "$prefix" ] || { echo "usage: $0 init|stop PREFIX" >&2; exit 2; }
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv=d"
WINE=$(cd "$(dirname "$0")" && pwd)/wine.sh
WINESERVER=/usr/lib/wine/wineserver

case "$action" in
init)
    mkdir -p "$prefix"
    exec 9>"$prefix.lock"
    flock 9
    if [ ! -f "$prefix/.tarvex-ready" ]; then
        "$WINESERVER" -p60 </dev/null >/dev/null 2>&1 || true
        "$WINE" wineboot --init </dev/null >/dev/null 2>&1
        # A crashing program must end, not wait on Wine's crash dialog.
        "$WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
            </dev/null >/dev/null 2>&1
        # Without a debugger to start, a crash ends the program with a failing
        # exit code; winedbg's automatic mode can end it with 0, and a crashed
        # test would pass.
        "$WINE" reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f \
            </dev/null >/dev/null 2>&1 || true
        # Wine does not find the packaged fonts by itself.
        if [ -d /usr/share/wine/fonts ]; then
            cp -f /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
        fi
        # The first boot of a new prefix can leave two service managers behind
        # and no RPC service, and then local COM servers cannot be activated.
        # Stop everything and boot once more from the finished prefix.
        "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
        "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
        # While the server lives, the system processes keep running with no
        # pipe of any test; a restarted server would let them inherit one.
        "$WINESERVER" -p$persist </dev/null >/dev/null 2>&1 || true
        "$WINE" wineboot </dev/null >/dev/null 2>&1
        touch "$prefix/.tarvex-ready"
    fi
    ;;
stop)
    [ -d "$prefix" ] && "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
    ;;
*)
    echo "usage: $0 init|stop PREFIX" >&2; exit 2 ;;
esac
