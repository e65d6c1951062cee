#!/usr/bin/env bash
# Real runs of Viewer.scr under Wine on a private Xvfb screen, in a fresh Wine
# prefix: viewer_wine_test.sh CASE WIN32-BIN-DIR DEMO-PROJECT WORK-DIR
# Cases: options, errors, exit-codes, preview, show-gdi (24-bit screen: GDI),
# show-ddraw (16-bit: DirectDraw), show-wide (1366 x 768, a width outside the mode table),
# ddraw-backend (the DirectDraw back-end's own tests on a 16-bit screen),
# options-monitors (each arrangement chosen in the dialog lands in the profile),
# dual-span, dual-mirror, dual-primary (the show on a two-head X server),
# sound-space (a disc too small for the sound files; needs root to mount it, else skipped).
# Exits 77 (skipped) when a case needs the demo project or a two-head server
# and it is not there.
set -euo pipefail
case_name=$1 bin=$2 demo=$3 work=$4
top=$(cd "$(dirname "$0")/../.." && pwd)
import=/usr/bin/import
convert=/usr/bin/convert

fail() { echo "FAIL: $*" >&2; exit 1; }
need_demo() { [ -f "$demo" ] || { echo "skipped: no demo project at $demo"; exit 77; }; }

depth=24 size=1024x768
case $case_name in show-ddraw|ddraw-backend) depth=16 ;; esac
[ "$case_name" = show-wide ] && size=1366x768
case $case_name in exit-codes|preview|show-*|dual-*|sound-space) need_demo ;; esac

rm -rf "$work"
mkdir -p "$work/saver"
if [[ $case_name == dual-* ]]; then
    # Two monitors: Xorg's dummy driver with Xinerama, on a free display of its own.
    source "$top/tests/x11/head_checks.sh"
    set +e
    started=$("$top/tests/x11/start_dual_head.sh" "$work/xorg")
    status=$?
    set -e
    [ $status = 77 ] && { echo "skipped: no two-head X server here"; exit 77; }
    [ $status = 0 ] || fail "no two-head X server: $(cat "$work"/xorg/*.out 2>/dev/null)"
else
    started=$("$top/tests/x11/start_xvfb.sh" "${size}x$depth" "$work/xvfb") || fail "no X screen"
fi
export DISPLAY=${started% *}
xvfb=${started#* }
cleanup() {
    local status=$?
    [ -n "${saver_pid:-}" ] && kill "$saver_pid" 2>/dev/null || true
    # Wine stops before the small disc inside its prefix is unmounted;
    # wine-prefix-end then finds it stopped and removes the prefix.
    WINEPREFIX=$work/prefix wineserver -k 2>/dev/null || true
    [ -n "${small_disc:-}" ] && umount -l "$small_disc" 2>/dev/null || true
    kill $xvfb 2>/dev/null || true
    wait $xvfb 2>/dev/null || true
    "$top/scripts/wine-prefix-end" "$work/prefix" $status
}
trap cleanup EXIT
"$top/scripts/wine-prefix" "$work/prefix" >/dev/null
prefix=$work/prefix
if [[ $case_name == show-* || $case_name == dual-* ]]; then
    # No window manager runs here: without this, Wine waits two seconds for one
    # whenever a full-screen window closes, and the time to end is Wine's, not ours.
    "$top/scripts/wine-run" "$prefix" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f \
        >/dev/null 2>&1
fi
log=$work/saver/reports.log
winlog='C:\saver\reports.log'
ln -s "$work/saver" "$prefix/drive_c/saver"
cp "$bin/Viewer.scr" "$work/saver/Fish.scr"

# Runs the saver with ARGS in the background; its exit code lands in $work/rc.
start_saver() {
    rm -f "$work/rc"
    ( cd "$work/saver" && set +e
      ORB_REPORT_LOG=${report_log:-} "$top/scripts/wine-run" "$prefix" 'C:\saver\Fish.scr' "$@" \
          >>"$work/wine.out" 2>&1
      echo $? >"$work/rc" ) &
    saver_pid=$!
}
# Waits up to $1 seconds for the saver to end; prints its exit code.
wait_saver() {
    local tenths=$(($1 * 10))
    for _ in $(seq $tenths); do [ -f "$work/rc" ] && break; sleep 0.1; done
    [ -f "$work/rc" ] || fail "saver still running after $1 s"
    wait "$saver_pid" 2>/dev/null || true
    saver_pid=
    cat "$work/rc"
}
wait_window() {  # NAME-PATTERN SECONDS
    for _ in $(seq $(($2 * 10))); do
        xdotool search --name "$1" >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    return 1
}
temp_leftovers() {
    find "$prefix/drive_c/users" -maxdepth 6 -name 'Orbellan-*' 2>/dev/null
    find "$work/saver" -maxdepth 1 -name 'temp[1-4].*' 2>/dev/null
}
shot() { "$import" -window root "$1"; }
# Fraction of pixels unlike the most common colour (the background).
non_background() {
    "$convert" "$1" -format %c histogram:info:- | sort -rn | awk -F: '
        { n = $1 + 0; total += n; if (n > top) top = n }
        END { printf "%.3f", total ? (total - top) / total : 0 }'
}
differing_pixels() {
    "$convert" "$1" "$2" -compose difference -composite -colorspace gray -threshold 0 \
        -format '%[fx:mean]' info:
}

case $case_name in
options)
    # No section yet: the box starts checked; a click clears it and OK stores "N".
    start_saver /c
    wait_window "About Orbellan Screensavers" 20 || fail "dialog 2003 did not appear"
    window=$(xdotool search --name "About Orbellan Screensavers" | head -n1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    shot "$work/options.png"
    # Keys go to the window under the pointer (no window manager): OK has the
    # focus, Tab moves it to the check box, space toggles it, Return is OK.
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    sleep 0.3
    xdotool key Escape
    sleep 1
    [ -f "$work/rc" ] && fail "Escape closed the options dialog"
    xdotool key Tab space Return
    code=$(wait_saver 10)
    [ "$code" = 0 ] || fail "options ended with $code"
    grep -q '^SoundsOn=N' "$prefix/drive_c/windows/win.ini" || fail "win.ini lacks SoundsOn=N: $(cat "$prefix/drive_c/windows/win.ini")"
    # Again, with the owner form of the switch: the box starts cleared, and
    # toggling it stores "Y".
    start_saver /c:0
    wait_window "About Orbellan Screensavers" 20 || fail "dialog 2003 did not appear again"
    sleep 0.5
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) key Tab space Return
    code=$(wait_saver 10)
    [ "$code" = 0 ] || fail "second options run ended with $code"
    grep -q '^SoundsOn=Y' "$prefix/drive_c/windows/win.ini" || fail "win.ini lacks SoundsOn=Y"
    # /a has nothing to do.
    start_saver /a
    code=$(wait_saver 20)
    [ "$code" = 0 ] || fail "/a ended with $code"
    ;;
errors)
    report_log=$winlog
    # No project beside the saver: the start-up message, exit code 0, nothing left.
    start_saver /s
    code=$(wait_saver 30)
    [ "$code" = 0 ] || fail "missing project ended with $code"
    grep -q '^Error: Errors occurred while loading the screensaver file: program will terminate' "$log" ||
        fail "no start-up error report: $(cat "$log" 2>/dev/null)"
    # A corrupt project: the same.
    rm -f "$log"
    head -c 300 /dev/urandom >"$work/saver/Fish.apj"
    start_saver /s
    code=$(wait_saver 30)
    [ "$code" = 0 ] || fail "corrupt project ended with $code"
    grep -q 'Errors occurred while loading the screensaver file' "$log" || fail "no report for a corrupt project"
    [ -z "$(temp_leftovers)" ] || fail "left behind: $(temp_leftovers)"
    ;;
exit-codes)
    report_log=$winlog
    # Motion mode (setting 16) outside 0..7.
    "$ORB_PROJECT_VARIANT" "$demo" "$work/saver/Fish.apj" 16=99
    start_saver /s
    code=$(wait_saver 30)
    [ "$code" = 99 ] || fail "mode 99 ended with $code, reports: $(cat "$log" 2>/dev/null)"
    [ -z "$(temp_leftovers)" ] || fail "left behind: $(temp_leftovers)"
    # Mouse movement at the start ends the saver with 0, whether it is still
    # loading or already running, and leaves nothing behind.
    cp "$demo" "$work/saver/Fish.apj"
    start_saver /s
    for i in $(seq 20); do xdotool mousemove $((100 + i * 10)) 200; sleep 0.05; done
    code=$(wait_saver 30)
    [ "$code" = 0 ] || fail "input while loading ended with $code"
    [ -z "$(temp_leftovers)" ] || fail "left behind: $(temp_leftovers)"
    # The Desktop background (setting 17 = 1): the desktop is captured, so the
    # show runs instead of ending with 1313, until a key ends it with 0.
    "$ORB_PROJECT_VARIANT" "$demo" "$work/saver/Fish.apj" 17=1
    xdotool mousemove 1000 700
    start_saver /s
    sleep 6
    [ -f "$work/rc" ] && fail "the Desktop background ended the show with $(cat "$work/rc"): $(cat "$log" 2>/dev/null)"
    xdotool key space
    code=$(wait_saver 10)
    [ "$code" = 0 ] || fail "the Desktop background show ended with $code"
    ;;
preview)
    cp "$demo" "$work/saver/Fish.apj"
    set +e
    ORB_REPORT_LOG=$winlog "$top/scripts/wine-run" "$prefix" "$bin/preview_host.exe" 'C:\saver\Fish.scr' \
        'C:\saver\preview.bmp' >"$work/preview.out" 2>>"$work/wine.out"
    host=$?
    set -e
    [ $host = 0 ] || fail "preview host ($host): $(cat "$work/preview.out")"
    cat "$work/preview.out"
    [ ! -f "$log" ] || fail "reports during the preview: $(cat "$log")"
    ;;
show-gdi|show-ddraw|show-wide)
    cp "$demo" "$work/saver/Fish.apj"
    report_log=$winlog
    xdotool mousemove 1000 700
    start_saver /s
    # Loading takes a few seconds, more on a busy machine: wait for the show.
    for _ in $(seq 60); do
        sleep 1
        [ -f "$work/rc" ] && fail "saver ended early with $(cat "$work/rc"): $(cat "$log" 2>/dev/null)"
        shot "$work/show1.png"
        awk -v f="$(non_background "$work/show1.png")" 'BEGIN { exit !(f > 0.02) }' && break
    done
    # Until the sprites are born the show can stand still for a moment.
    for _ in $(seq 10); do
        sleep 1
        shot "$work/show1.png"
        sleep 1
        shot "$work/show2.png"
        moved=$(differing_pixels "$work/show1.png" "$work/show2.png")
        awk -v m="$moved" 'BEGIN { exit !(m > 0.0005) }' && break
    done
    filled=$(non_background "$work/show2.png")
    echo "changed between shots: $moved; not background: $filled"
    awk -v m="$moved" 'BEGIN { exit !(m > 0.0005) }' || fail "the show did not move ($moved)"
    awk -v f="$filled" 'BEGIN { exit !(f > 0.02) }' || fail "the screen is nearly empty ($filled)"
    [ -n "$(find "$prefix/drive_c/users" -maxdepth 6 -name 'Orbellan-*')" ] || echo "note: no sound files written"
    xdotool key space
    start=$(date +%s%N)
    code=$(wait_saver 30)
    elapsed=$((($(date +%s%N) - start) / 1000000))
    # The time to end is a figure to read, not a pass mark: a busy machine stretches it.
    echo "ended with $code after ${elapsed} ms"
    [ "$code" = 0 ] || fail "key press ended the show with $code"
    [ -z "$(temp_leftovers)" ] || fail "left behind: $(temp_leftovers)"
    [ ! -f "$log" ] || fail "reports during the show: $(cat "$log")"
    ;;
options-monitors)
    # Each arrangement by its key in the dialog; OK stores it beside the sound option.
    for choice in m:Mirror p:Primary s:Span; do
        start_saver /c
        wait_window "About Orbellan Screensavers" 20 || fail "dialog 2003 did not appear"
        window=$(xdotool search --name "About Orbellan Screensavers" | head -n1)
        eval "$(xdotool getwindowgeometry --shell "$window")"
        xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
        sleep 0.3
        [ "${choice%%:*}" = s ] && shot "$work/options-monitors.png"
        xdotool key "${choice%%:*}" Return
        code=$(wait_saver 10)
        [ "$code" = 0 ] || fail "options ended with $code"
        grep -q "^Monitors=${choice#*:}" "$prefix/drive_c/windows/win.ini" ||
            fail "win.ini lacks Monitors=${choice#*:}: $(cat "$prefix/drive_c/windows/win.ini")"
        grep -q '^SoundsOn=Y' "$prefix/drive_c/windows/win.ini" || fail "the sound option changed"
        echo "chose ${choice#*:}; the profile says so"
    done
    ;;
dual-span|dual-mirror|dual-primary)
    arrangement=${case_name#dual-}
    cp "$demo" "$work/saver/Fish.apj"
    report_log=$winlog
    printf '[EnableSound]\r\nMonitors=%s\r\n' "${arrangement^}" >>"$prefix/drive_c/windows/win.ini"
    # Wine 8.0's desktop process aborts while registering the second head of a
    # Xinerama server without RandR, and Windows programs then see one monitor.
    monitors=$("$top/scripts/wine-run" "$prefix" "$bin/monitor_count.exe" 2>/dev/null | tr -d '\r')
    echo "Wine reports $monitors monitor(s)"
    xdotool mousemove 600 500
    start_saver /s
    # Loading takes a few seconds, more on a busy machine: wait for the show.
    for _ in $(seq 60); do
        sleep 1
        [ -f "$work/rc" ] && fail "saver ended early with $(cat "$work/rc"): $(cat "$log" 2>/dev/null)"
        shot_heads "$work/dual1" || fail "no screenshot"
        above "$(non_background "$work/dual1-0.png")" 0.02 && break
    done
    sleep 1
    shot_heads "$work/dual1" || fail "no screenshot"
    sleep 1.5
    shot_heads "$work/dual2" || fail "no screenshot"
    for h in 0 1; do
        echo "head $h: $(changed_share "$work/dual1-$h.png" "$work/dual2-$h.png") changed," \
            "$(non_background "$work/dual2-$h.png") not background, $(lit_share "$work/dual2-$h.png") lit"
    done
    if [ "$monitors" != 2 ]; then
        # What can still be checked: the show runs on the first head and a key ends it with 0.
        above "$(changed_share "$work/dual1-0.png" "$work/dual2-0.png")" 0.0005 || fail "nothing moved on head 0"
        arrangement=one-monitor
    fi
    case $arrangement in
    span)
        for h in 0 1; do
            above "$(changed_share "$work/dual1-$h.png" "$work/dual2-$h.png")" 0.0005 || fail "nothing moved on head $h"
            above "$(non_background "$work/dual2-$h.png")" 0.02 || fail "head $h is nearly empty"
        done
        above "$(scaled_difference "$work/dual2-0.png" "$work/dual2-1.png")" 0.02 ||
            fail "both heads show the same picture"
        ;;
    mirror)
        same=$(scaled_difference "$work/dual2-0.png" "$work/dual2-1.png")
        echo "heads differ by $same after scaling"
        above 0.05 "$same" || fail "the heads show different pictures ($same)"
        above "$(changed_share "$work/dual1-1.png" "$work/dual2-1.png")" 0.0005 || fail "nothing moved on head 1"
        ;;
    primary)
        above "$(changed_share "$work/dual1-0.png" "$work/dual2-0.png")" 0.0005 || fail "nothing moved on head 0"
        above 0.001 "$(lit_share "$work/dual2-1.png")" || fail "head 1 is not black"
        ;;
    esac
    xdotool key space
    code=$(wait_saver 30)
    echo "ended with $code"
    [ "$code" = 0 ] || fail "key press ended the show with $code: $(cat "$log" 2>/dev/null)"
    [ -z "$(temp_leftovers)" ] || fail "left behind: $(temp_leftovers)"
    [ ! -f "$log" ] || fail "reports during the show: $(cat "$log")"
    if [ "$arrangement" = one-monitor ]; then
        echo "skipped: this Wine sees one monitor, so ${case_name#dual-} over two could not be checked"
        exit 77
    fi
    ;;
sound-space)
    # The sound files go to a private folder in the temporary folder. A 64 KiB disc
    # mounted there holds 65536 bytes of the 100000-byte backing track: 34464 bytes
    # short, shown in thousands (34464 / 1000 = 34) once, and the saver ends with 0.
    temp=$(find "$prefix/drive_c/users" -mindepth 2 -maxdepth 2 -name Temp -type d | head -n1)
    [ -n "$temp" ] || fail "no temporary folder in the prefix"
    if ! mount -t tmpfs -o size=64k orb-small-disc "$temp" 2>/dev/null; then
        echo "skipped: cannot mount a small disc here (needs root)"
        exit 77
    fi
    small_disc=$temp
    "$ORB_PROJECT_VARIANT" "$demo" "$work/saver/Fish.apj" music=100000
    report_log=$winlog
    xdotool mousemove 1000 700
    start_saver /s
    code=$(wait_saver 60)
    [ "$code" = 0 ] || fail "a full disc ended the saver with $code: $(cat "$log" 2>/dev/null)"
    expected="Information: Insufficent disk space for Orbellan screensaver to re-save background soundtrack; please free at least 34k"
    [ "$(cat "$log" 2>/dev/null)" = "$expected" ] || fail "reports: $(cat "$log" 2>/dev/null)"
    [ -z "$(temp_leftovers)" ] || fail "left behind: $(temp_leftovers)"
    ;;
ddraw-backend)
    "$top/scripts/wine-run" "$prefix" "$bin/viewer_win32_tests.exe" --gtest_filter='DirectDrawDisplay.*' \
        >"$work/ddraw.out" 2>>"$work/wine.out" || fail "DirectDraw back-end: $(cat "$work/ddraw.out")"
    grep -q SKIPPED "$work/ddraw.out" && fail "DirectDraw tests skipped on a 16-bit screen"
    tail -n 3 "$work/ddraw.out"
    ;;
*)
    fail "unknown case $case_name"
    ;;
esac
echo "PASS: $case_name"
