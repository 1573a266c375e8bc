#!/bin/bash
# The windowed program opens "Orvelle", 956 x 538 at (10, 10), runs its loop
# until the main menu shows over the whole window, and ends with exit code 0
# when the window's close button is used; the full-screen program takes the
# last listed mode's size at (0, 0) and stretches the same menu onto it.
#   window.sh BUILD_DIR SOURCE_DIR FAKE_BOX_LIB WM_CLOSE
set -eu
build=$1
source=$2
wmclose=$4
if [ -z "${DISPLAY:-}" ] || [ "${ORVELLE_E2E_INNER:-}" != 1 ]; then
    ORVELLE_E2E_INNER=1 exec "$source/tests/support/headless.sh" "$0" "$@"
fi
. "$source/tests/e2e/lib.sh"
make_folder shots

"$build/tests/make-test-tree" "$shots" "$source" || fail "could not make the data tree"
cd "$shots"

# wait_for_geometry ID "X Y W H": the window's place and size, within 10 s.
wait_for_geometry() {
    for _ in $(seq 100); do
        read -r gx gy gw gh <<< "$(geometry "$1")"
        [ "$gx $gy $gw $gh" = "$2" ] && return 0
        sleep 0.1
    done
    fail "the window is at $gx $gy $gw $gh, not $2"
}

# The main menu of the tests' data tree, at points of the 2560 x 1440
# virtual screen: its blue background (a JPEG, so only near), the three
# buttons in their normal dark red, each with its own green, and the sounds
# button's "on" picture. The loading picture before it is grey all over.
menu_points=(
    "background 200 1300 0 0 160"
    "select 1280 720 120 0 0"
    "tutorial 1280 920 120 10 0"
    "exit 1280 1120 120 20 0"
    "sounds 2485 1365 0 80 0"
)

# expect_main_menu FILE X Y W H: the screen shows the main menu stretched
# onto the window at X, Y of W x H pixels, within 20 s. The game puts the
# pointer in the middle of its window (over the select button) at start-up,
# so the pointer is moved off every button before each look.
expect_main_menu() {
    for _ in $(seq 100); do
        xdotool mousemove $(($2 + 1800 * $4 / 2560)) $(($3 + 200 * $5 / 1440))
        screenshot "$1"
        wrong=""
        for point in "${menu_points[@]}"; do
            read -r what vx vy r g b <<< "$point"
            px=$(($2 + vx * $4 / 2560))
            py=$(($3 + vy * $5 / 1440))
            read -r sr sg sb <<< "$(colour_at "$1" "$px" "$py")"
            if ! near "$sr" "$sg" "$sb" "$r" "$g" "$b"; then
                wrong="$what at ($px, $py) is $sr $sg $sb, not $r $g $b"
                break
            fi
        done
        [ -z "$wrong" ] && return 0
        kill -0 "$pid" 2>/dev/null || fail "the program stopped by itself"
        sleep 0.2
    done
    fail "no main menu in $1: $wrong"
}

start_program "$shots/out.txt" "$build/orvelle"
id=$(wait_for_window Orvelle "$pid")
wait_for_geometry "$id" "10 10 956 538"
expect_main_menu "$shots/windowed.png" 10 10 956 538

"$wmclose" "$id" || fail "could not ask the window to close"
code=0
wait_for_exit "$pid" 10 || code=$?
[ "$code" = 0 ] || fail "windowed program ended with $code after the close request: $(cat "$shots/out.txt")"

# Xvfb lists one mode, the screen's own size.
start_program "$shots/out.txt" "$build/orvelle-fullscreen"
id=$(wait_for_window Orvelle "$pid")
wait_for_geometry "$id" "0 0 1280 800"
expect_main_menu "$shots/fullscreen.png" 0 0 1280 800
"$wmclose" "$id"
code=0
wait_for_exit "$pid" 10 || code=$?
[ "$code" = 0 ] || fail "full-screen program ended with $code"
echo "window: ok"
