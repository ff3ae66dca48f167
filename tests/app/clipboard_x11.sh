#!/usr/bin/env bash
# Reads a copied object's offer through a real X clipboard client: a private X server, the probe
# owning the clipboard, xclip listing and fetching the formats. Fails when a format is missing.
# Usage: clipboard_x11.sh PROBE
set -u
probe=$1
markup='a/b+c'
for tool in Xvfb xclip timeout; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
probe_pid=""
cleanup() {
    [ -n "$probe_pid" ] && kill "$probe_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# The server picks a free display number and writes it to the descriptor.
exec 3>"$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 640x480x24 >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

fail=0
check() { # name, command that must succeed
    if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; fail=1; fi
}

run_probe() { # kind
    QT_QPA_PLATFORM=xcb timeout 30 "$probe" "$1" 25 "$markup" >"$work/probe.out" 2>"$work/probe.err" &
    probe_pid=$!
    for _ in $(seq 150); do
        grep -q ready "$work/probe.out" 2>/dev/null && return 0
        kill -0 "$probe_pid" 2>/dev/null || break
        sleep 0.1
    done
    echo "probe did not take the clipboard:"; cat "$work/probe.out" "$work/probe.err"
    return 1
}
stop_probe() {
    kill "$probe_pid" 2>/dev/null
    wait "$probe_pid" 2>/dev/null
    probe_pid=""
}
clip() { timeout 5 xclip -selection clipboard -o "$@"; }

if run_probe formula; then
    targets=$(clip -t TARGETS)
    check "formula offers image/png" 'grep -qx "image/png" <<<"$targets"'
    check "formula offers image/svg+xml" 'grep -qx "image/svg+xml" <<<"$targets"'
    check "formula offers text" 'grep -qxE "UTF8_STRING|text/plain(;charset=utf-8)?" <<<"$targets"'
    check "the text is the markup" '[ "$(clip -t UTF8_STRING)" = "$markup" ]'
    check "the PNG is a PNG" '[ "$(clip -t image/png | head -c 4 | od -An -c | tr -d " ")" = "211PNG" ]'
    check "the SVG is an SVG" 'clip -t image/svg+xml | grep -q "<svg"'
    stop_probe
else
    fail=1
fi

if run_probe curve; then
    targets=$(clip -t TARGETS)
    check "curve offers image/png" 'grep -qx "image/png" <<<"$targets"'
    check "curve offers text" '[ "$(clip -t UTF8_STRING)" = "$markup" ]'
    stop_probe
else
    fail=1
fi
exit $fail
