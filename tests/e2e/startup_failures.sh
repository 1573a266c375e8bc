#!/bin/bash
# Start-up failures of the real program: each failed step printed on its own
# line, the others still tried, then one error box and exit code -1.
#   startup_failures.sh BUILD_DIR SOURCE_DIR FAKE_BOX_LIB WM_CLOSE
set -eu
build=$1
source=$2
fakebox=$3
. "$source/tests/e2e/lib.sh"
make_folder out
cd "$source"

box="[message box] title=ERROR heading=ERROR flags=2 text=Core not initialized."

# No sound card: only the audio step fails.
code=0
HEADLESS_AUDIO=none "$source/tests/support/headless.sh" \
    env LD_PRELOAD="$fakebox" timeout 20 "$build/orvelle" > "$out/stdout" 2> "$out/stderr" || code=$?
[ "$code" = 255 ] || fail "without audio the exit code is $code"
[ "$(cat "$out/stdout")" = "ERROR: ALLegro audio install." ] || fail "without audio it printed: $(cat "$out/stdout")"
grep -qxF "$box" "$out/stderr" || fail "without audio no box: $(cat "$out/stderr")"

# No display: the mouse can't be installed.
code=0
HEADLESS_DISPLAY=none "$source/tests/support/headless.sh" \
    env LD_PRELOAD="$fakebox" timeout 20 "$build/orvelle" > "$out/stdout" 2> "$out/stderr" || code=$?
[ "$code" = 255 ] || fail "without a display the exit code is $code"
grep -qxF "ERROR: Allegro mouse install." "$out/stdout" || fail "without a display it printed: $(cat "$out/stdout")"
grep -qxF "$box" "$out/stderr" || fail "without a display no box: $(cat "$out/stderr")"
echo "startup failures: ok"
