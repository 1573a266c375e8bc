#!/bin/bash
# The whole game from outside: the real windowed program on the tests' data
# tree, played with xdotool from the main menu through a won level back to
# the map selection, then closed with the window's close button.
#   play.sh BUILD_DIR SOURCE_DIR FAKE_BOX_LIB WM_CLOSE [SCREENSHOT_DIR]
set -eu
build=$1
source=$2
fakebox=$3
wmclose=$4
if [ -z "${DISPLAY:-}" ] || [ "${ORVELLE_E2E_INNER:-}" != 1 ]; then
    ORVELLE_E2E_INNER=1 exec "$source/tests/support/headless.sh" "$0" "$@"
fi
. "$source/tests/e2e/lib.sh"
make_folder tree
shots=${5:-$tree/shots}
mkdir -p "$shots"

"$build/tests/make-test-tree" "$tree" "$source" || fail "could not make the data tree"
cd "$tree"

# A fatal error shows its text on standard error instead of blocking.
start_program "$tree/out.txt" env LD_PRELOAD="$fakebox" "$build/orvelle"
id=$(wait_for_window Orvelle "$pid")

# window_pixel VX VY: the screen pixel of a point of the 2560 x 1440 virtual
# screen, in the 956 x 538 window at (10, 10).
window_pixel() {
    echo "$(( 10 + $1 * 956 / 2560 )) $(( 10 + $2 * 538 / 1440 ))"
}

# expect_background NAME R G B: the screen shows that background colour at a
# place no button covers, within 20 s (loading takes a while on a busy machine).
expect_background() {
    read -r px py <<< "$(window_pixel 200 1300)"
    for _ in $(seq 100); do
        screenshot "$shots/$1.png"
        read -r r g b <<< "$(colour_at "$shots/$1.png" "$px" "$py")"
        near "$r" "$g" "$b" "$2" "$3" "$4" && return 0
        sleep 0.2
    done
    fail "$1: background is $r $g $b, not $2 $3 $4"
}

# Keys go to the game's window.
key() {
    xdotool key --window "$id" "$@"
}

# The mouse away from every button.
read -r mx my <<< "$(window_pixel 1800 200)"
xdotool mousemove "$mx" "$my"

expect_background main_menu 0 0 160
key Return
expect_background select_map 0 120 0
key Return
# The level's whole map over the window: the bottom wall there.
expect_background level_start 120 120 120

# The first level: walk right to the goal (67 ticks). The first won tick
# stores the win in the list file; the win shows for 3 s and play returns to
# the map selection.
xdotool keydown --window "$id" Right
for _ in $(seq 200); do
    grep -q '^Resources/Levels/walk.txt Walk 1800 1200 600 1 ' Resources/Levels/LevelList.txt && break
    sleep 0.1
done
screenshot "$shots/won.png"
xdotool keyup --window "$id" Right
expect_background after_win 0 120 0

list=$(cat Resources/Levels/LevelList.txt)
echo "$list" | grep -qE '^Resources/Levels/walk.txt Walk 1800 1200 600 1 [0-9]+$' ||
    fail "the list file does not hold the win: $list"
time=$(echo "$list" | awk '$2 == "Walk" {print $7}')
[ "$time" -ge 67 ] && [ "$time" -le 600 ] || fail "the stored time is $time ticks"

"$wmclose" "$id"
code=0
wait_for_exit "$pid" 10 || code=$?
[ "$code" = 0 ] || fail "ended with $code after the close request: $(cat "$tree/out.txt")"
echo "play: ok (won in $time ticks; screenshots in $shots)"
