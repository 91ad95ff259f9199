#!/bin/sh
# Installs everything a fresh Debian 12 machine needs to build and test Tarvex.
# Idempotent: when every package is present it only checks and returns.
set -e

PACKAGES="cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools \
libwine-dev wine wine64 fonts-wine xvfb xauth x11-apps imagemagick googletest \
python3-aiosmtpd"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done

if [ -n "$missing" ]; then
    echo "setup: installing$missing"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends $missing
fi
