#!/bin/bash
# Screenshots of the real game for the README: the windowed program, started
# on a private Xvfb display in a copy of the repository's Resources tree (so
# the repository's level list is never written), played with xdotool.
#
#   tools/screenshots.sh [BUILD_DIR [OUT_DIR]]
#
# BUILD_DIR holds the built `orvelle` (default: build), OUT_DIR receives the
# PNGs (default: docs/screenshots). Needs Xvfb, xdotool and ImageMagick's
# import. Run from anywhere; paths are taken relative to the repository.
set -u
repo=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$repo/build}" && pwd)
out=${2:-$repo/docs/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
if [ "${ORVELLE_SHOTS_INNER:-}" != 1 ]; then
    ORVELLE_SHOTS_INNER=1 exec "$repo/tests/support/headless.sh" "$0" "$build" "$out"
fi
. "$repo/tests/e2e/lib.sh"

# Levels of Resources/Levels/LevelList.txt, by number.
echo_level=2
lit_level=5
dark_level=11

make_folder tree
cp -r "$repo/Resources" "$tree/"
# The first two levels shown as won, each in its solution's time
# (tests/data/solutions), so that the map selection shows a best time and
# stars.
awk 'NR == 2 { $6 = 1; $7 = 126 } NR == 3 { $6 = 1; $7 = 145 } { print }' \
    "$repo/Resources/Levels/LevelList.txt" > "$tree/Resources/Levels/LevelList.txt"
cd "$tree" || fail "no copy of the Resources tree"

start_program "$tree/out.txt" "$build/orvelle"
id=$(wait_for_window Orvelle "$pid")
# The mouse away from every button.
xdotool mousemove 600 120

# Keys go to the game's window: a press, or a key held for some seconds.
key() {
    xdotool key --window "$id" "$@"
    sleep 0.3
}
hold() {
    xdotool keydown --window "$id" "$1"
    sleep "$2"
    xdotool keyup --window "$id" "$1"
}
shot() {
    import -window "$id" "$out/$1.png" || fail "no screenshot $1"
}
# On the map selection: level n (the choice stops at both ends).
pick() {
    for _ in $(seq 15); do key Left; done
    for _ in $(seq $(($1 - 1))); do key Right; done
}
# From a level through the pause menu back to the map selection.
leave() {
    key Escape
    key BackSpace
}

# Loading the pictures and the songs takes a moment.
sleep 4
shot main_menu
key Return
pick "$echo_level"
shot map_selection

# Relay: the player steps on the first switch, and its door opens.
pick "$lit_level"
key Return
sleep 0.5
hold Up 0.5
shot lit_level

leave
pick "$dark_level"
# Nightfall: the light around the player in the start room.
key Return
sleep 0.5
hold Right 0.3
shot dark_level

# The ghost run: a recorded walk down onto the switch (pressing on against the
# wall below it), then Enter: the ghost walks it again and holds the door open
# while the player heads through it.
leave
pick "$echo_level"
key Return
hold Down 1.2
xdotool key --window "$id" Return
xdotool keydown --window "$id" Right
sleep 1
shot ghost_run
xdotool keyup --window "$id" Right

"$build/tests/wm-close" "$id" 2>/dev/null || kill "$pid"
wait_for_exit "$pid" 10 || true
echo "screenshots in $out"
