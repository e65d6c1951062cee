#!/usr/bin/env bash
# Starts the two-head X server of dual_head.conf on the first free display of
# :60..:69 and prints "DISPLAY PID" once Xinerama answers. The caller stops the
# server by that process id. Needs root (Xorg without a console) and Debian's
# xserver-xorg-core and xserver-xorg-video-dummy.
# usage: start_dual_head.sh LOG-DIRECTORY
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
logs=$1
mkdir -p "$logs"
command -v Xorg >/dev/null || { echo "no Xorg" >&2; exit 77; }
[ -f /usr/lib/xorg/modules/drivers/dummy_drv.so ] || { echo "no dummy video driver" >&2; exit 77; }
for n in $(seq 60 69); do
    # A lock file or socket means another server has the number.
    [ -e /tmp/.X$n-lock ] || [ -e /tmp/.X11-unix/X$n ] && continue
    Xorg :$n -noreset -nolisten tcp -config "$here/dual_head.conf" -logfile "$logs/xorg-$n.log" \
        >"$logs/xorg-$n.out" 2>&1 &
    pid=$!
    for _ in $(seq 100); do
        if ! kill -0 $pid 2>/dev/null; then break; fi
        if DISPLAY=:$n xdpyinfo -ext XINERAMA 2>/dev/null | grep -q 'head #1'; then
            echo ":$n $pid"
            exit 0
        fi
        sleep 0.1
    done
    kill $pid 2>/dev/null
    wait $pid 2>/dev/null
    # Lost a race for the number (or the server failed): try the next one.
done
echo "no two-head X server could start; see $logs" >&2
exit 1
