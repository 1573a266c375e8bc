#!/bin/bash
# Synthesises the game's music and sounds with sox: nothing is sampled, every
# note is a sox synth voice. Writes into Resources/Sounds/:
#   menu.ogg      the menu song, A minor, 100 beats a minute, 16 bars (38.4 s)
#   ingame.ogg    the in-game song, D minor, 120 beats a minute, 16 bars (32 s)
#   select.ogg    a button under the mouse
#   select_click.ogg  a click on a button
#   ghost.ogg     the ghost run starts
#   restart.ogg   the level restarts
#   win.ogg       the goal is reached
#   death.ogg     a deadly tile is touched
# Both songs loop without a seam: every note ends inside its step, and the
# reverb tail that rings past the last bar is mixed back onto the first, so
# the end flows into the start exactly as one bar flows into the next.
#   tools/make-sounds.sh [REPOSITORY_ROOT]
set -euo pipefail
shopt -s inherit_errexit

root=${1:-$(dirname "$0")/..}
out="$root/Resources/Sounds"
mkdir -p "$out"
work=$(mktemp -d "${TMPDIR:-/tmp}/orvelle-sounds.XXXXXX")
trap 'rm -rf "$work"' EXIT

# Repeatable mode: sox's noise and plucks draw from a fixed seed, so that the
# same script writes the same files.
sox() { command sox -R "$@"; }

rate=44100
# Input options of a synthesised mono source at the song rate.
mono=(-r "$rate" -c 1 -n)

# Semitones from A4 (440 Hz) of a note name: C4, G#3, Bb2.
semitones() {
    local letter=${1:0:1} rest=${1:1} base accidental=0
    case $letter in
        C) base=-9 ;; D) base=-7 ;; E) base=-5 ;; F) base=-4 ;;
        G) base=-2 ;; A) base=0 ;; B) base=2 ;;
        *) echo "bad note $1" >&2; exit 1 ;;
    esac
    case $rest in
        \#*) accidental=1; rest=${rest:1} ;;
        b*) accidental=-1; rest=${rest:1} ;;
    esac
    echo $((base + accidental + 12 * (rest - 4)))
}

# One step-long piece of a track: instrument, note (or chord of notes joined
# by dots, or "-" for a rest), length in samples. Every voice fades out
# before the piece ends, so pieces join without clicks. Pieces are cached by
# what they hold.
piece() {
    local instrument=$1 note=$2 samples=$3
    local file="$work/piece-$instrument-${note//#/s}-$samples.wav"
    if [ ! -f "$file" ]; then
        if [ "$note" = - ]; then
            sox "${mono[@]}" "$file" trim 0 "${samples}s"
        else
            case $instrument in
                pluck)
                    sox "${mono[@]}" "$file" synth "${samples}s" pluck "%$(semitones "$note")" vol 0.6 \
                        lowpass 3500 fade q 0.004 "${samples}s" 0.06 ;;
                bass)
                    sox "${mono[@]}" "$file" synth "${samples}s" pluck "%$(semitones "$note")" vol 0.8 \
                        lowpass 700 fade q 0.004 "${samples}s" 0.05 ;;
                bell)
                    local s
                    s=$(semitones "$note")
                    sox -r "$rate" -c 2 -n "$file" synth "${samples}s" sine "%$s" sine "%$((s + 12))" \
                        remix 1v0.75,2v0.25 fade l 0.006 "${samples}s" "$((samples - 400))s" vol 0.9 ;;
                pad)
                    local voices=() n
                    IFS=. read -r -a chord <<<"$note"
                    for n in "${chord[@]}"; do voices+=(triangle "%$(semitones "$n")"); done
                    sox -r "$rate" -c "${#chord[@]}" -n "$file" synth "${samples}s" "${voices[@]}" remix - \
                        vol 0.7 lowpass 1200 tremolo 0.4 20 fade h 0.35 "${samples}s" 0.6 ;;
                kick)
                    sox "${mono[@]}" "$file" synth 0.16 sine 120:38 fade q 0.002 0.16 0.12 \
                        pad 0 "$((samples - 7056))s" vol 0.9 ;;
                hat)
                    sox "${mono[@]}" "$file" synth 0.04 whitenoise vol 0.25 highpass 7000 \
                        fade q 0.001 0.04 0.035 pad 0 "$((samples - 1764))s" ;;
                *) echo "bad instrument $instrument" >&2; exit 1 ;;
            esac
        fi
    fi
    echo "$file"
}

# A track: the instrument plays the words of the score one after the other,
# each NOTE:STEPS (a rest is -:STEPS), a step being `step` samples long.
# Prints the number of steps, so that tracks of one song can be checked to
# be equally long.
track() {
    local instrument=$1 step=$2 file=$3 score=$4 pieces=() word steps=0
    for word in $score; do
        pieces+=("$(piece "$instrument" "${word%%:*}" $((step * ${word##*:})))")
        steps=$((steps + ${word##*:}))
    done
    sox "${pieces[@]}" "$file"
    echo "$steps"
}

# Mixes the tracks (file and gain pairs), lays reverb over the mix, folds
# the reverb's tail past the end back onto the start, and writes the loop
# as OGG with its peak at `peak` dB.
song() {
    local name=$1 samples=$2 peak=$3
    shift 3
    local inputs=()
    while [ $# -gt 0 ]; do
        inputs+=(-v "$2" "$1")
        shift 2
    done
    sox -m "${inputs[@]}" "$work/$name-dry.wav"
    sox "$work/$name-dry.wav" "$work/$name-wet.wav" gain -6 pad 0 4 reverb 45 50 70 100 12
    sox "$work/$name-wet.wav" "$work/$name-body.wav" trim 0 "${samples}s"
    sox "$work/$name-wet.wav" "$work/$name-tail.wav" trim "${samples}s"
    sox -m -v 1 "$work/$name-body.wav" -v 1 "$work/$name-tail.wav" "$work/$name-loop.wav"
    sox "$work/$name-loop.wav" -C 2 "$out/$name.ogg" gain -n "$peak"
}

# Checks that every track of a song has the song's number of steps.
same_length() {
    local expected=$1 got
    shift
    for got in "$@"; do
        [ "$got" -eq "$expected" ] || { echo "a track has $got steps, not $expected" >&2; exit 1; }
    done
}

# The menu song: calm, a pad and a plucked bass, joined by an arpeggio from
# the fifth bar and a bell melody from the ninth. Its last chord, E, leads
# back to the A minor of its first bar. A step is an eighth note at 100 beats
# a minute: 0.3 s, 13230 samples.
menu_song() {
    local step=13230 steps=128
    local pad bass arp bell
    pad=$(track pad $step "$work/menu-pad.wav" "
        A3.C4.E4:8 F3.A3.C4:8 G3.C4.E4:8 G3.B3.D4:8
        A3.C4.E4:8 F3.A3.C4:8 G3.C4.E4:8 G3.B3.D4:8
        F3.A3.D4:8 F3.A3.C4:8 A3.C4.E4:8 G#3.B3.E4:8
        A3.C4.E4:8 F3.A3.C4:8 G3.B3.D4:8 G#3.B3.E4:8")
    bass=$(track bass $step "$work/menu-bass.wav" "
        A2:6 E2:2 F2:6 C3:2 C3:6 G2:2 G2:6 D2:2
        A2:6 E2:2 F2:6 C3:2 C3:6 G2:2 G2:6 D2:2
        D2:6 A2:2 F2:6 C3:2 A2:6 E2:2 E2:6 B2:2
        A2:6 E2:2 F2:6 C3:2 G2:6 D2:2 E2:4 E2:4")
    arp=$(track pluck $step "$work/menu-arp.wav" "
        -:32
        A4:1 C5:1 E5:1 A5:1 E5:1 C5:1 A4:1 C5:1  F4:1 A4:1 C5:1 F5:1 C5:1 A4:1 F4:1 A4:1
        G4:1 C5:1 E5:1 G5:1 E5:1 C5:1 G4:1 C5:1  G4:1 B4:1 D5:1 G5:1 D5:1 B4:1 G4:1 B4:1
        D4:1 F4:1 A4:1 D5:1 A4:1 F4:1 D4:1 F4:1  F4:1 A4:1 C5:1 F5:1 C5:1 A4:1 F4:1 A4:1
        A4:1 C5:1 E5:1 A5:1 E5:1 C5:1 A4:1 C5:1  E4:1 G#4:1 B4:1 E5:1 B4:1 G#4:1 E4:1 G#4:1
        A4:1 C5:1 E5:1 A5:1 E5:1 C5:1 A4:1 C5:1  F4:1 A4:1 C5:1 F5:1 C5:1 A4:1 F4:1 A4:1
        G4:1 B4:1 D5:1 G5:1 D5:1 B4:1 G4:1 B4:1  E4:1 G#4:1 B4:1 E5:1 B4:1 G#4:1 E4:1 -:1")
    bell=$(track bell $step "$work/menu-bell.wav" "
        -:64
        D5:2 F5:2 A5:4  G5:2 A5:2 F5:4  E5:2 C5:2 A4:4  B4:4 G#4:4
        A4:2 C5:2 E5:4  F5:2 E5:2 C5:4  D5:2 B4:2 G4:4  B4:4 -:4")
    same_length $steps "$pad" "$bass" "$arp" "$bell"
    song menu $((step * steps)) -7 "$work/menu-pad.wav" 0.25 "$work/menu-bass.wav" 0.4 \
        "$work/menu-arp.wav" 0.2 "$work/menu-bell.wav" 0.25
}

# The in-game song: a steady pulse to think along to. Bass eighths and a soft
# beat throughout, an arpeggio from the fifth bar, a bell line from the ninth;
# its last chord, A, leads back to the D minor of its first bar. A step is an
# eighth note at 120 beats a minute: 0.25 s, 11025 samples.
ingame_song() {
    local step=11025 steps=128
    local pad bass kick hat arp bell
    local cycle="D3.F3.A3:8 D3.F3.Bb3:8 E3.G3.C4:8 E3.A3.C#4:8"
    pad=$(track pad $step "$work/ingame-pad.wav" "$cycle $cycle
        D3.G3.Bb3:8 D3.F3.Bb3:8 D3.F3.A3:8 E3.A3.C#4:8 $cycle")
    local bass_cycle="D2:1 D2:1 D3:1 D2:1 D2:1 D3:1 D2:1 A2:1  Bb1:1 Bb1:1 Bb2:1 Bb1:1 Bb1:1 Bb2:1 Bb1:1 F2:1
        C2:1 C2:1 C3:1 C2:1 C2:1 C3:1 C2:1 G2:1  A1:1 A1:1 A2:1 A1:1 A1:1 A2:1 A1:1 E2:1"
    bass=$(track bass $step "$work/ingame-bass.wav" "$bass_cycle $bass_cycle
        G1:1 G1:1 G2:1 G1:1 G1:1 G2:1 G1:1 D2:1  Bb1:1 Bb1:1 Bb2:1 Bb1:1 Bb1:1 Bb2:1 Bb1:1 F2:1
        D2:1 D2:1 D3:1 D2:1 D2:1 D3:1 D2:1 A2:1  A1:1 A1:1 A2:1 A1:1 A1:1 A2:1 A1:1 E2:1 $bass_cycle")
    local beat="" bar
    for bar in $(seq 16); do beat="$beat K:1 -:3 K:1 -:3"; done
    kick=$(track kick $step "$work/ingame-kick.wav" "$beat")
    beat=""
    for bar in $(seq 16); do beat="$beat -:1 H:1 -:1 H:1 -:1 H:1 -:1 H:1"; done
    hat=$(track hat $step "$work/ingame-hat.wav" "$beat")
    local arp_cycle="D4:1 F4:1 A4:1 D5:1 A4:1 F4:1 D4:1 F4:1  D4:1 F4:1 Bb4:1 D5:1 Bb4:1 F4:1 D4:1 F4:1
        E4:1 G4:1 C5:1 E5:1 C5:1 G4:1 E4:1 G4:1  E4:1 A4:1 C#5:1 E5:1 C#5:1 A4:1 E4:1 A4:1"
    arp=$(track pluck $step "$work/ingame-arp.wav" "-:32 $arp_cycle
        D4:1 G4:1 Bb4:1 D5:1 Bb4:1 G4:1 D4:1 G4:1  D4:1 F4:1 Bb4:1 D5:1 Bb4:1 F4:1 D4:1 F4:1
        D4:1 F4:1 A4:1 D5:1 A4:1 F4:1 D4:1 F4:1  E4:1 A4:1 C#5:1 E5:1 C#5:1 A4:1 E4:1 A4:1 $arp_cycle")
    bell=$(track bell $step "$work/ingame-bell.wav" "-:64
        D5:3 C5:1 Bb4:2 A4:2  F4:2 G4:2 A4:4  G4:3 A4:1 Bb4:2 A4:2  E4:4 C#5:4
        D5:3 E5:1 F5:2 E5:2  D5:2 C5:2 Bb4:4  C5:3 Bb4:1 A4:2 G4:2  A4:6 -:2")
    same_length $steps "$pad" "$bass" "$kick" "$hat" "$arp" "$bell"
    song ingame $((step * steps)) -7 "$work/ingame-pad.wav" 0.15 "$work/ingame-bass.wav" 0.35 \
        "$work/ingame-kick.wav" 0.3 "$work/ingame-hat.wav" 0.2 "$work/ingame-arp.wav" 0.15 \
        "$work/ingame-bell.wav" 0.2
}

# Writes the short sound made in $work/NAME.wav as OGG, its peak at `peak` dB.
encode() {
    local name=$1 peak=$2
    sox "$work/$name.wav" -C 3 "$out/$name.ogg" gain -n "$peak"
}

effects() {
    local w=$work
    # Hover: a soft high tick.
    sox -r $rate -c 2 -n "$w/select.wav" synth 0.06 sine 1568 sine 2349 remix 1v0.7,2v0.3 fade q 0.002 0.06 0.05
    encode select -12
    # Click: a short rising blip.
    sox "${mono[@]}" "$w/select_click.wav" synth 0.11 square 660:990 vol 0.5 lowpass 2800 fade q 0.002 0.11 0.08
    encode select_click -6
    # The ghost run: a wavering rise in a breath of air, into a cool echo.
    sox -r $rate -c 2 -n "$w/ghost-voice.wav" synth 0.9 sine 330:740 sine 333:747 remix - \
        tremolo 7 50 fade h 0.15 0.9 0.5 vol 0.5
    sox "${mono[@]}" "$w/ghost-air.wav" synth 0.9 pinknoise vol 0.2 bandpass 1200 600 fade h 0.3 0.9 0.5
    sox -m -v 1 "$w/ghost-voice.wav" -v 1 "$w/ghost-air.wav" "$w/ghost.wav" gain -6 pad 0 0.8 reverb 70 40 90
    encode ghost -4
    # Restart: a quick fall, as if rewinding.
    sox "${mono[@]}" "$w/restart.wav" synth 0.3 square 1200:300 vol 0.4 lowpass 2200 fade q 0.002 0.3 0.18 \
        echo 0.8 0.6 60 0.3
    encode restart -5
    # Win: a plucked rising arpeggio into a held chord.
    local parts=() n i=0
    for n in C5 E5 G5; do
        sox "${mono[@]}" "$w/win-$i.wav" synth 0.11 pluck "%$(semitones $n)" fade q 0.002 0.11 0.03 vol 0.5
        parts+=("$w/win-$i.wav")
        i=$((i + 1))
    done
    sox -r $rate -c 3 -n "$w/win-chord.wav" synth 1.0 pluck %3 pluck %7 pluck %10 remix - fade q 0.002 1.0 0.6 vol 0.5
    sox "${parts[@]}" "$w/win-chord.wav" "$w/win.wav" gain -6 pad 0 0.5 reverb 50 50 80
    encode win -3
    # Death: a buzzing fall with a dull thud under it.
    sox "${mono[@]}" "$w/death-buzz.wav" synth 0.6 sawtooth 320:70 vol 0.4 lowpass 1400 \
        tremolo 16 70 fade q 0.003 0.6 0.35
    sox "${mono[@]}" "$w/death-thud.wav" synth 0.6 sine 90:40 fade q 0.002 0.6 0.5 vol 0.5
    sox -m -v 1 "$w/death-buzz.wav" -v 1 "$w/death-thud.wav" "$w/death.wav"
    encode death -3
}

menu_song
ingame_song
effects
for file in "$out"/*.ogg; do
    printf '%s %s s %s bytes\n' "$file" "$(soxi -D "$file")" "$(stat -c %s "$file")"
done
