#!/usr/bin/env bash
# Starts a private Xvfb screen on a free display number and prints "DISPLAY PID"
# once it answers. The caller stops the server by that process id.
# usage: start_xvfb.sh WIDTHxHEIGHTxDEPTH LOG-DIRECTORY [XVFB OPTIONS...]
set -uo pipefail
screen=$1 logs=$2
shift 2
mkdir -p "$logs"
# -displayfd makes the server pick a free display number and tell us.
Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp "$@" 3>"$logs/xvfb-display" >"$logs/xvfb.out" 2>&1 &
pid=$!
for _ in $(seq 100); do [ -s "$logs/xvfb-display" ] && break; sleep 0.1; done
[ -s "$logs/xvfb-display" ] || { echo "Xvfb did not start: $(cat "$logs/xvfb.out")" >&2; kill $pid 2>/dev/null; exit 1; }
echo ":$(head -n1 "$logs/xvfb-display") $pid"
