#!/bin/sh
# Runs a command headless: a private X server (unless HEADLESS_DISPLAY=none)
# and a silent sound device, so that Allegro's audio starts on machines
# without a sound card. Both are made here and removed afterwards; nothing
# has to be running beforehand.
#
#   headless.sh COMMAND [ARGS...]
#   HEADLESS_DISPLAY=none headless.sh COMMAND   # no display at all
#   HEADLESS_AUDIO=none headless.sh COMMAND     # a sound device that can't open
set -u

work=$(mktemp -d "${TMPDIR:-/tmp}/orvelle-headless.XXXXXX")
xpid=""
cleanup() {
    if [ -n "$xpid" ]; then
        kill "$xpid" 2>/dev/null
        wait "$xpid" 2>/dev/null
    fi
    rm -rf "$work"
}
trap cleanup EXIT INT TERM

mkdir "$work/home"
# Allegro plays through OpenAL, here into OpenAL's own null backend, which
# keeps time like a sound card (its ALSA backend on a null device spins a
# core). The HOME's ALSA default is a null device too, for anything that asks
# ALSA directly.
printf '[audio]\ndriver = openal\n' > "$work/home/.allegro5rc"
printf 'pcm.!default { type null }\nctl.!default { type hw card 0 }\n' > "$work/home/.asoundrc"
ALSOFT_DRIVERS=null
if [ "${HEADLESS_AUDIO:-null}" = none ]; then
    # OpenAL is kept to ALSA, whose default device names a card that does not
    # exist: the audio install fails on any machine.
    printf 'pcm.!default { type hw card 63 }\nctl.!default { type hw card 63 }\n' > "$work/home/.asoundrc"
    ALSOFT_DRIVERS=alsa
fi
HOME="$work/home"
export HOME ALSOFT_DRIVERS

if [ "${HEADLESS_DISPLAY:-xvfb}" = none ]; then
    unset DISPLAY
else
    # -displayfd picks a free display number and writes it once the server
    # accepts connections, so parallel runs never race for a number.
    # -noreset: by default the server resets whenever its last client leaves,
    # and a client connecting meanwhile is turned away. A test that polls with
    # xdotool while the game starts would then see the game fail to find its
    # display now and then.
    Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" 2>"$work/xvfb.log" &
    xpid=$!
    tries=0
    while [ ! -s "$work/display" ]; do
        tries=$((tries + 1))
        if [ "$tries" -gt 200 ] || ! kill -0 "$xpid" 2>/dev/null; then
            echo "headless.sh: Xvfb did not start" >&2
            cat "$work/xvfb.log" >&2
            exit 2
        fi
        sleep 0.05
    done
    DISPLAY=":$(head -n 1 "$work/display")"
    export DISPLAY
fi

"$@"
