# Bookkeeping shared by the tests that run a show on an X server of their own
# (sourced): `fail`, stopping the show and the server when the script ends, and
# ending a show with a key press.
server=""
show=""
fail() { echo "FAIL: $*"; exit 1; }
stop_session() {
    [ -n "$show" ] && kill "$show" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null
    wait 2>/dev/null
}
trap stop_session EXIT

# end_show_with_key WHAT LOG: presses space; the show must end, with exit code 0.
end_show_with_key() {
    xdotool key space
    for _ in $(seq 200); do kill -0 "$show" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$show" 2>/dev/null && fail "$1: the key press did not close the viewer"
    wait "$show"
    local code=$?
    show=""
    [ "$code" -eq 0 ] || fail "$1: exit code $code: $(cat "$2")"
}
