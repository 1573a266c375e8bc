# Shared by the end-to-end scripts: run under tests/support/headless.sh.
#
# Whatever way a script ends (a failed check, a command failing under set -e,
# an interrupt, or its last line), the programs it started with start_program
# are ended and the folders it made with make_folder are removed, so a failing
# test never leaves a game running.

_programs=""
_folders=""

_clean_up() {
    for _p in $_programs; do
        kill -KILL "$_p" 2>/dev/null || true
        wait "$_p" 2>/dev/null || true
    done
    for _f in $_folders; do
        rm -rf "$_f"
    done
}
trap _clean_up EXIT
# A signal ends the script through exit, so the clean-up above runs too.
trap 'exit 1' INT TERM HUP

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# make_folder VAR: a fresh temporary folder, named in VAR, removed on the way out.
make_folder() {
    _folder=$(mktemp -d)
    _folders="$_folders $_folder"
    printf -v "$1" '%s' "$_folder"
}

# start_program OUTPUT COMMAND [ARGS...]: runs the command in the background
# with its standard output and error in OUTPUT; its process id is in $pid
# until wait_for_exit has collected it, and it is killed on the way out.
start_program() {
    _output=$1
    shift
    "$@" > "$_output" 2>&1 &
    pid=$!
    _programs="$_programs $pid"
}

# wait_for_window NAME PID: prints the id of the first window named exactly
# NAME once it is mapped, or fails when the program ended or 20 s passed.
wait_for_window() {
    _name=$1
    _pid=$2
    for _ in $(seq 200); do
        _id=$(xdotool search --onlyvisible --name "^${_name}\$" 2>/dev/null | head -n 1)
        if [ -n "$_id" ]; then
            echo "$_id"
            return 0
        fi
        kill -0 "$_pid" 2>/dev/null ||
            fail "the program ended before its window showed: $(cat "$_output" 2>/dev/null)"
        sleep 0.1
    done
    fail "no window named $_name"
}

# wait_for_exit PID SECONDS: the program's exit code, or fails after SECONDS.
wait_for_exit() {
    for _ in $(seq $(($2 * 10))); do
        if ! kill -0 "$1" 2>/dev/null; then
            _code=0
            wait "$1" || _code=$?
            # Collected: the number may now be given to another process.
            _programs=$(echo "$_programs" | tr ' ' '\n' | grep -vx "$1" | tr '\n' ' ')
            return "$_code"
        fi
        sleep 0.1
    done
    fail "the program did not end within $2 s"
}

# geometry ID: "X Y W H" of a window, position relative to the root window.
geometry() {
    xdotool getwindowgeometry --shell "$1" | awk -F= '
        /^X=/ {x=$2} /^Y=/ {y=$2} /^WIDTH=/ {w=$2} /^HEIGHT=/ {h=$2}
        END {print x, y, w, h}'
}

# screenshot FILE: the whole screen as a PNG.
screenshot() {
    import -window root "$1" || fail "no screenshot"
}

# colour_at FILE X Y: the colour of one pixel as "R G B".
colour_at() {
    convert "$1" -crop "1x1+${2}+${3}" +repage -depth 8 txt:- |
        sed -n '2p' | sed -E 's/.*\(([0-9.]+),([0-9.]+),([0-9.]+).*/\1 \2 \3/' |
        awk '{printf "%d %d %d\n", $1, $2, $3}'
}

# near R G B R2 G2 B2: true when every channel differs by at most 12 (JPEG).
near() {
    awk -v a="$1" -v b="$2" -v c="$3" -v x="$4" -v y="$5" -v z="$6" 'BEGIN {
        d1 = a - x; d2 = b - y; d3 = c - z
        if (d1 < 0) d1 = -d1; if (d2 < 0) d2 = -d2; if (d3 < 0) d3 = -d3
        exit !(d1 <= 12 && d2 <= 12 && d3 <= 12) }'
}
