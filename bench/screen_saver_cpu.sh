#!/usr/bin/env bash
# CPU share of screen savers, side by side on one private Xvfb screen: the Linux
# viewer full screen, xscreensaver's bouboule, noseguy and fluidballs on the root
# window (Debian's xscreensaver-data and xscreensaver-data-extra), and, given a
# Windows build, Viewer.scr /s under Wine. Each runs alone for the given time
# after a warm-up; the share is the process's user + system time over wall time,
# read from /proc, so every subject is measured the same way.
# usage: screen_saver_cpu.sh BUILD-DIR [SECONDS] [WIDTHxHEIGHT] [FPS]
#   BUILD-DIR holds bin/viewer, samples/demo.apj and, when there, win64/bin or
#   win32/bin with Viewer.scr (ORB_WINE_ARCH chooses the Wine, see scripts/wine-env).
set -uo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-10}
size=${3:-1920x1080}
fps=${4:-60}
top=$(cd "$(dirname "$0")/.." && pwd)
hacks=/usr/libexec/xscreensaver
work=$(mktemp -d)
xvfb=""
subject=""
cleanup() {
    [ -n "$subject" ] && kill "$subject" 2>/dev/null
    [ -d "$work/prefix" ] && WINEPREFIX=$work/prefix wineserver -k 2>/dev/null
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display")
ticks=$(getconf CLK_TCK)

# User + system clock ticks of a process (fields 14 and 15 of /proc/PID/stat,
# counted after the command name, which may hold spaces).
cpu_ticks() { sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | awk '{ print $12 + $13 }'; }

# measure NAME COMMAND...: starts it, waits 3 s, then measures for $seconds.
measure() {
    local name=$1 log
    log=$work/$(printf %s "$1" | tr -c 'A-Za-z0-9' _).log
    shift
    "$@" >"$log" 2>&1 &
    subject=$!
    sleep 3
    if ! kill -0 "$subject" 2>/dev/null; then
        printf '%-28s did not run: %s\n' "$name" "$(tail -n 2 "$log" | tr '\n' ' ')"
        subject=""
        return
    fi
    local t0 c0 t1 c1
    t0=$(date +%s%N); c0=$(cpu_ticks "$subject")
    sleep "$seconds"
    t1=$(date +%s%N); c1=$(cpu_ticks "$subject")
    kill "$subject" 2>/dev/null
    wait "$subject" 2>/dev/null
    subject=""
    awk -v n="$name" -v c=$((c1 - c0)) -v hz="$ticks" -v ns=$((t1 - t0)) \
        'BEGIN { printf "%-28s %5.1f%% of one core (%.2f s of CPU in %.1f s)\n", n, 100 * c / hz / (ns / 1e9), c / hz, ns / 1e9 }'
}

echo "Xvfb ${size}x24, ${seconds} s each after 3 s of warm-up; $(nproc) cores; load $(cut -d' ' -f1-3 /proc/loadavg)"
# With its music synthesised to a silent device, and without sound at all (no
# audio driver by that name), which is how the hacks below run.
SDL_AUDIODRIVER=dummy measure "viewer --fullscreen" "$build/bin/viewer" --fullscreen --fps "$fps" --no-input-exit \
    "$build/samples/demo.apj"
SDL_AUDIODRIVER=none measure "viewer --fullscreen, no sound" "$build/bin/viewer" --fullscreen --fps "$fps" \
    --no-input-exit "$build/samples/demo.apj"
for hack in bouboule noseguy fluidballs; do
    if [ -x "$hacks/$hack" ]; then measure "$hack -root" "$hacks/$hack" -root; else echo "$hack: not installed"; fi
done

saver=""
for dir in win64 win32; do [ -f "$build/$dir/bin/Viewer.scr" ] && saver=$build/$dir/bin/Viewer.scr && break; done
if [ -n "$saver" ] && [ "$saver" = "$build/win64/bin/Viewer.scr" ]; then export ORB_WINE_ARCH=${ORB_WINE_ARCH:-win64}; fi
if [ -n "$saver" ]; then
    "$top/scripts/wine-prefix" "$work/prefix" >/dev/null 2>&1
    # No window manager here: without this Wine waits for one whenever the window closes.
    "$top/scripts/wine-run" "$work/prefix" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    mkdir -p "$work/saver"
    cp "$saver" "$work/saver/Fish.scr"
    cp "$build/samples/demo.apj" "$work/saver/Fish.apj"
    ln -s "$work/saver" "$work/prefix/drive_c/saver"
    xdotool mousemove 10 10 2>/dev/null
    measure "Viewer.scr /s (Wine)" "$top/scripts/wine-run" "$work/prefix" 'C:\saver\Fish.scr' /s
else
    echo "Viewer.scr: no Windows build under $build"
fi
