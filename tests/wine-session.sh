#!/usr/bin/env bash
# Opens or closes the Wine session that the tests of a Windows build run their programs in.
#
#   wine-session.sh open WINE PROGRAM.exe    (with WINEPREFIX set)
#   wine-session.sh close
#
# Opening starts a persistent wineserver, so that no program starts while an idle server
# is shutting down, creates the prefix, and runs one program, which starts Wine's own
# background services. Those outlive the program and keep its standard streams open, so
# every command here gets /dev/null for them: a caller waiting for the end of its
# output would otherwise wait for the services.
set -euo pipefail

case "${1:-}" in
open)
    wine=$2 program=$3
    mkdir -p "$WINEPREFIX"
    wineserver --persistent </dev/null >/dev/null 2>&1
    # Through the same loader as the programs: Debian's own `wineboot` starts the
    # 32-bit loader whenever wine32 is installed, whatever the kernel runs.
    if ! "$wine" wineboot --init </dev/null >/dev/null 2>&1; then
        echo "wineboot --init failed for $WINEPREFIX" >&2
        exit 1
    fi
    if ! "$wine" "$program" </dev/null >/dev/null 2>&1; then
        echo "$wine could not run $program" >&2
        exit 1
    fi
    echo "Wine session open in $WINEPREFIX"
    ;;
close)
    wineserver --kill </dev/null >/dev/null 2>&1 || true
    wineserver --wait </dev/null >/dev/null 2>&1 || true
    echo "Wine session closed"
    ;;
*)
    echo "usage: wine-session.sh open WINE PROGRAM.exe | close" >&2
    exit 2
    ;;
esac
