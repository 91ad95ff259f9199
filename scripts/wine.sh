#!/bin/sh
# wine.sh ARGS...: Wine's 64-bit loader with the Unix address-space layout
# left unrandomised. Every start of a Windows program here goes through it.
#
# Debian's Wine has no preloader, so nothing keeps the addresses Windows
# fixes free before the Unix side of a process is laid out. The loader is
# linked at 0x7d000000, and the kernel places its heap at a random point up
# to 1 GB above it; about one start in a few thousand the heap lands on the
# shared user data page at 0x7ffe0000, and the program ends at once with
# exit code 1 ("failed to map the shared user data"), before any code of
# its own has run. Without randomisation the heap always starts right
# after the loader, far below that page. Processes Wine starts from this
# one (services, COM servers, programs started by a task) inherit the
# layout.
exec setarch "$(uname -m)" -R /usr/lib/wine/wine64 "$@"
