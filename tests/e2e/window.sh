#!/bin/bash
# The windowed program opens "Orvelle", 956 x 538 at (10, 10), keeps
# running, and ends with exit code 0 when the window's close button is used;
# the full-screen program takes the last listed mode's size at (0, 0).
#   window.sh BUILD_DIR SOURCE_DIR FAKE_BOX_LIB WM_CLOSE
set -u
build=$1
source=$2
wmclose=$4
if [ -z "${DISPLAY:-}" ] || [ "${ORVELLE_E2E_INNER:-}" != 1 ]; then
    ORVELLE_E2E_INNER=1 exec "$source/tests/support/headless.sh" "$0" "$@"
fi
. "$source/tests/e2e/lib.sh"
shots=$(mktemp -d)
trap 'rm -rf "$shots"' EXIT

"$build/tests/make-test-tree" "$shots" "$source" || fail "could not make the data tree"
cd "$shots" || fail "no data tree"

"$build/orvelle" > "$shots/out.txt" 2>&1 &
pid=$!
id=$(wait_for_window Orvelle "$pid")
sleep 1
read -r x y w h <<< "$(geometry "$id")"
[ "$x $y $w $h" = "10 10 956 538" ] || fail "windowed geometry is $x $y $w $h"
sleep 1
kill -0 "$pid" 2>/dev/null || fail "the windowed program stopped by itself"
screenshot "$shots/windowed.png"

"$wmclose" "$id" || fail "could not ask the window to close"
wait_for_exit "$pid" 10
code=$?
[ "$code" = 0 ] || fail "windowed program ended with $code after the close request: $(cat "$shots/out.txt")"

# Xvfb lists one mode, the screen's own size.
"$build/orvelle-fullscreen" > "$shots/out.txt" 2>&1 &
pid=$!
id=$(wait_for_window Orvelle "$pid")
sleep 1
read -r x y w h <<< "$(geometry "$id")"
[ "$x $y $w $h" = "0 0 1280 800" ] || fail "full-screen geometry is $x $y $w $h"
"$wmclose" "$id"
wait_for_exit "$pid" 10
code=$?
[ "$code" = 0 ] || fail "full-screen program ended with $code"
echo "window: ok"
