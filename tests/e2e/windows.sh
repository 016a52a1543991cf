# SPDX-License-Identifier: MIT
# The Windows zip ($WINDOWS_ZIP, from scripts/windows.sh) under Wine, on a
# 1280x720 screen under openbox, unpacked into a folder whose path has a
# space. It holds only what it should, and its programs need no DLL but
# Windows' own and its own. lumbox.exe fills the screen's height at 4:3
# with the start field, takes a real click to preset 1 and ends on Escape;
# on a server without GLX it shows why in a message box and ends with
# status 1 once the box is closed. The screensaver lumbox.scr shows the
# picture with /s until the pointer moves, says it has no settings with /c,
# and ends at once with /p.
. "$(dirname "$0")/xserver.sh"
start_harness
[ -f "${WINDOWS_ZIP:-}" ] || skip "no Windows zip at '${WINDOWS_ZIP:-}' (scripts/windows.sh builds it)"
need wine wineserver unzip x86_64-w64-mingw32-objdump

screen=1280x720x24
picture=960x720+160+0  # 800x600 scaled to the screen's height, centred

unzip -q "$WINDOWS_ZIP" -d "$work/un zipped"
dir=$(echo "$work/un zipped"/*/)
files=$(LC_ALL=C; cd "$dir" && echo *)
[ "$files" = "LICENSE-SDL2.txt LICENSE-sdl12-compat.txt LICENSE.txt README.txt SDL.dll SDL2.dll lumbox.exe lumbox.scr" ] ||
    fail "the zip's folder holds: $files"

# One private Wine prefix for all runs, its server up until the test ends,
# when it takes the processes Wine started (services, the desktop) along.
# Wine asks for no Mono or Gecko, and prints nothing of its own. The
# programs' standard error goes to the test's, not to stderr.txt.
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" SDL_STDIO_REDIRECT=0
start_xserver
start_openbox
mkdir "$WINEPREFIX"
wineserver -f -p >>"$work/wineserver.log" 2>&1 &
stop_at_exit $!
trap '{ wineserver -k || true; } 2>/dev/null; end_harness' EXIT
timeout 120 wineboot -i >>"$work/wineboot.log" 2>&1 || fail "Wine could not set up its prefix"

# Each import is a DLL of the zip or one Wine has in place of Windows' own.
for program in "$dir"*.exe "$dir"*.scr "$dir"*.dll; do
    for dll in $(x86_64-w64-mingw32-objdump -p "$program" | awk '/DLL Name:/ { print $3 }'); do
        [ -n "$(find "$dir" "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll")" ] ||
            fail "${program##*/} needs $dll, which is neither Windows' own nor in the zip"
    done
done

# start_windows PROGRAM [ARGUMENT...]: the zip's PROGRAM under Wine, as
# start_lumbox starts lumbox (Wine's process is the program's).
start_windows() {
    wine "$dir$1" "${@:2}" >"$work/out" 2>"$work/err" &
    lumbox_pid=$!
}

# box_shown: $box is a visible window of the program named lumbox.
box_shown() {
    kill -0 "$lumbox_pid" 2>/dev/null || fail "the program ended before showing a message box"
    box=$(xdotool search --onlyvisible --pid "$lumbox_pid" --name '^lumbox$' | head -n1)
    [ -n "$box" ]
}

start_windows lumbox.exe
wait_for_window
wait_until 30 "the lit picture did not become $picture" fills "$picture"
wait_until 10 "the start field did not show" shows start
xdotool click 1
wait_until 10 "preset 1 did not show after a click" shows preset1
xdotool key Escape
expect_clean_exit 3

# A 20-pixel move as a mouse makes it, in steps: under Wine nothing tells
# the saver where the pointer is before its first motion, which is where
# it is first seen.
start_windows lumbox.scr /s
wait_for_window
wait_until 30 "the screensaver's picture did not show" shows start
for step in 1 2 3 4 5; do xdotool mousemove_relative 4 0 sleep 0.05; done
expect_clean_exit 3
WINEDEBUG=-all,+msgbox start_windows lumbox.scr /c
wait_until 30 "no message box named lumbox" box_shown
grep -q 'msgbox:MSGBOX_OnInit L"lumbox has no settings."' "$work/err" || fail "the settings' box does not say so"
xdotool windowactivate --sync "$box" key Return
expect_exit 0 10
start_windows lumbox.scr /p 12345
expect_exit 0 10

# Without GLX: the box, whose text Wine traces as the box sets it up, and
# the same line where SDL sends standard error as the user has it.
start_xserver -extension GLX
start_openbox
SDL_STDIO_REDIRECT=1 WINEDEBUG=-all,+msgbox start_windows lumbox.exe
wait_until 30 "no message box named lumbox" box_shown
grep -q "msgbox:MSGBOX_OnInit L\"Couldn't set GL mode: ." "$work/err" ||
    fail "the message box does not say \"Couldn't set GL mode: ...\""
xdotool windowactivate --sync "$box" key Return
expect_exit 1 10
grep -q "^Couldn't set GL mode: ." "$dir/stderr.txt" || fail "stderr.txt does not say \"Couldn't set GL mode: ...\""
