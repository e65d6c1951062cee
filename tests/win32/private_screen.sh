# Sourced by the Wine test scripts: a private Xvfb screen and a fresh Wine prefix
# for one test, so tests never share an X server or a prefix.
# start_private_screen WORK SIZE DEPTH: starts Xvfb (-displayfd picks a free
# display number), exports DISPLAY, makes the prefix WORK/prefix.
# stop_private_screen: ends the prefix's wineserver and the X server; call it
# from the script's EXIT trap.

start_private_screen() {
    private_work=$1
    Xvfb -displayfd 3 -screen 0 "$2x$3" -nolisten tcp 3>"$private_work/display" >/dev/null 2>&1 &
    private_xvfb=$!
    for _ in $(seq 50); do [ -s "$private_work/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(head -n1 "$private_work/display")
    "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-prefix" "$private_work/prefix" >/dev/null
}

stop_private_screen() {
    [ -n "${private_work:-}" ] && WINEPREFIX=$private_work/prefix wineserver -k 2>/dev/null
    [ -n "${private_xvfb:-}" ] && kill "$private_xvfb" 2>/dev/null && wait "$private_xvfb" 2>/dev/null
    return 0
}
