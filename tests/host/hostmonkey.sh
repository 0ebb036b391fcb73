#!/usr/bin/env bash
# Random input for the drawing host with the palette loaded, through the X server as a user
# gives it: clicks, double-clicks, drags (card roller to My Palette among them), wheel notches,
# typed text and shortcuts, the palette's dialogs opened and answered, and host commands typed
# at the command line. Fails on a crash, a sanitizer report or a host that stops answering, and
# prints the seed and the last actions. VEXA_MONKEY_SEED replays a run, VEXA_MONKEY_SECONDS sets
# its length (60). Skips (77) without Xvfb or xdotool.
set -uo pipefail
host=$1 mkcollections=$2
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || exit 77
seed=${VEXA_MONKEY_SEED:-$(( $(date +%s%N) % 32768 ))}
seconds=${VEXA_MONKEY_SECONDS:-60}
RANDOM=$seed

. "$(dirname "$0")/virtualhost.sh"
work=$(mktemp -d)
startVirtualDisplay 131
hostpid=
trap '[ -n "$hostpid" ] && kill -9 "$hostpid" 2>/dev/null; kill "$xvfb" 2>/dev/null;
      [ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
isolateHost "$work" "$mkcollections"
mkdir -p "$work/out"

"$host" --data "$work/data" --module "$(dirname "$host")/vexapalette.so" --commands "load" >"$work/host.out" 2>"$work/host.err" &
hostpid=$!

actions=()
count=0 dialogs=0 commands=0
log() { actions+=("$*"); count=$((count + 1)); }
rss() { awk '/^VmRSS/ { print $2 " kB" }' "/proc/$hostpid/status" 2>/dev/null; }
finish() {
    echo "seed $seed, $count actions ($dialogs in dialogs, $commands host commands)," \
        "resident memory $rssStart at start, $(rss) at the end"
    if [ -n "${1:-}" ]; then
        echo "FAILED: $1"
        echo "last actions:"
        printf '  %s\n' "${actions[@]: -30}"
        echo "host output:"
        tail -n 20 "$work/host.out"
        tail -n 60 "$work/host.err"
        echo "replay with VEXA_MONKEY_SEED=$seed VEXA_MONKEY_SECONDS=$seconds"
        exit 1
    fi
    exit 0
}

# The host's windows: its main window, the palette's floating frame, and anything else large
# enough to be a dialog.
geometry() { xdotool getwindowgeometry --shell "$1" 2>/dev/null; }
windows() { xdotool search --onlyvisible --name '' 2>/dev/null; }
frame=
main=
dialog=
findWindows() {
    dialog=
    for id in $(windows); do
        # A window may close between the search and the question.
        unset WIDTH
        eval "$(geometry "$id")" && [ -n "${WIDTH:-}" ] || continue
        if [ "$WIDTH" -ge 1200 ]; then
            main=$id mainX=$X mainY=$Y mainW=$WIDTH mainH=$HEIGHT
        elif [ "$WIDTH" -ge 800 ] && [ "$WIDTH" -le 830 ] && [ "$HEIGHT" -ge 600 ]; then
            frame=$id frameX=$X frameY=$Y
        elif [ "$WIDTH" -ge 150 ] && [ "$HEIGHT" -ge 80 ]; then
            dialog=$id dialogX=$X dialogY=$Y dialogW=$WIDTH dialogH=$HEIGHT
        fi
    done
}

for _ in $(seq 300); do
    findWindows
    [ -n "$main" ] && [ -n "$frame" ] && break
    sleep 0.2
done
[ -n "$frame" ] || finish "the palette did not appear"
sleep 1
rssStart=$(rss)

between() { echo $(($1 + RANDOM % ($2 - $1 + 1))); }
pick() { local choices=("$@"); echo "${choices[$((RANDOM % $#))]}"; }
word() {
    local letters=abcdefghijklmnopqrstuvwxyz0123456789 text= length
    length=$(between 1 8)
    for _ in $(seq "$length"); do text+=${letters:$((RANDOM % 36)):1}; done
    echo "$text"
}
# A point on the palette surface, in screen coordinates.
at() { echo $((frameX + $1)) $((frameY + $2)); }
randomPoint() { at "$(between 0 799)" "$(between 0 599)"; }

click() { log "click $*"; xdotool mousemove $(at "$1" "$2") click 1; }
doubleClick() { log "double-click $*"; xdotool mousemove $(at "$1" "$2") click --repeat 2 --delay 80 1; }
drag() {
    log "drag $*"
    xdotool mousemove $(at "$1" "$2") mousedown 1
    for step in 1 2 3 4 5 6; do
        xdotool mousemove $(at $(($1 + ($3 - $1) * step / 6)) $(($2 + ($4 - $2) * step / 6)))
        sleep 0.03
    done
    xdotool mouseup 1
}
wheel() {
    local button=$((RANDOM % 2 + 4)) notches=$(between 1 4)
    log "wheel $button x$notches at $*"
    xdotool mousemove $(at "$1" "$2") click --repeat "$notches" --delay 40 "$button"
}
typeText() { log "type $*"; xdotool type --delay 20 "$*"; }
key() { log "key $*"; xdotool key "$@"; }
# A command typed at the host's command line; the host takes none while a dialog is open.
hostCommand() {
    log "host $*"
    commands=$((commands + 1))
    xdotool mousemove $((mainX + mainW / 2)) $((mainY + mainH - 42)) click 1
    # Keys typed on the palette surface before may wait there.
    xdotool key ctrl+a BackSpace
    xdotool type --delay 15 "$*"
    xdotool key Return
}

# The palette's buttons that open dialogs or change My Palette at once, in surface coordinates:
# Save, Load, Colour Book, About, the capture button, zoom and clear.
buttons=("326 563" "492 563" "657 563" "775 563" "218 85" "702 341" "741 341")
paletteAction() {
    case $((RANDOM % 20)) in
    0 | 1 | 2) click $(between 0 799) $(between 0 599) ;;
    3) doubleClick $(between 0 799) $(between 0 599) ;;
    4 | 5) drag $(between 20 260) $(between 200 560) $(between 460 700) $(between 420 540) ;;
    6) drag $(between 0 799) $(between 0 599) $(between 0 799) $(between 0 599) ;;
    7 | 8) wheel $(between 0 799) $(between 0 599) ;;
    9) typeText "$(word)" ;;
    10 | 11) key "$(pick ctrl+z ctrl+shift+z ctrl+c ctrl+v Delete BackSpace Return Escape Tab Up \
        Down Left Right Page_Up Page_Down Home End space)" ;;
    12 | 13 | 14) click ${buttons[$((RANDOM % ${#buttons[@]}))]} ;;
    15) hostCommand "$(pick new close pane pane)" ;;
    16) hostCommand "unload"; sleep 0.5; hostCommand "load" ;;
    *) click $(between 0 799) $(between 0 599) ;;
    esac
}
dialogAction() {
    dialogs=$((dialogs + 1))
    local x=$((dialogX + RANDOM % dialogW)) y=$((dialogY + RANDOM % dialogH))
    case $((RANDOM % 6)) in
    0) key Escape ;;
    1) typeText "$work/out/monkey$((RANDOM % 4)).$(pick palette acb txt gpl)"; key Return ;;
    2) key Return ;;
    3) key Tab ;;
    *) log "click in dialog $x $y"; xdotool mousemove "$x" "$y" click 1 ;;
    esac
}

# Escape closes the dialogs a run leaves open; true when none is left.
closeDialogs() {
    for _ in 1 2 3 4 5 6 7 8; do
        findWindows
        [ -z "$dialog" ] && return 0
        key Escape
        sleep 0.3
    done
    findWindows
    [ -z "$dialog" ]
}

# The host answers a typed screenshot command unless it hangs. The command line cannot be
# reached while a dialog stays open; a later ping tries again.
ping() {
    local file=$work/ping$count.png
    closeDialogs || return 0
    hostCommand "screenshot $file"
    for _ in $(seq 150); do
        [ -s "$file" ] && { rm -f "$file"; return 0; }
        kill -0 "$hostpid" 2>/dev/null || return 0
        sleep 0.2
    done
    finish "the host did not answer for 30 s"
}

checkHost() {
    if grep -qE 'AddressSanitizer|LeakSanitizer|runtime error|UndefinedBehaviorSanitizer' \
        "$work/host.err"; then
        finish "sanitizer report"
    fi
    kill -0 "$hostpid" 2>/dev/null || finish "the host ended"
}

end=$((SECONDS + seconds))
while [ "$SECONDS" -lt "$end" ]; do
    findWindows
    if [ -n "$dialog" ] && [ $((RANDOM % 4)) -ne 0 ]; then
        dialogAction
    else
        paletteAction
    fi
    sleep 0.0$(between 2 9)
    checkHost
    [ $((count % 40)) -eq 0 ] && ping
done
closeDialogs || finish "a dialog does not close"
ping
rssEnd=$(rss)
hostCommand "quit"
for _ in $(seq 150); do
    kill -0 "$hostpid" 2>/dev/null || break
    sleep 0.2
done
kill -0 "$hostpid" 2>/dev/null && finish "the host did not quit"
wait "$hostpid"
status=$?
hostpid=
rss() { echo "$rssEnd"; }
# A typed command that failed leaves 1; a sanitizer ends the host otherwise.
[ "$status" -le 1 ] || finish "the host ended with $status"
grep -qE 'AddressSanitizer|LeakSanitizer|runtime error' "$work/host.err" && finish "sanitizer report"
finish
