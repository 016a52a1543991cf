# SPDX-License-Identifier: MIT
# The Windows zip ($WINDOWS_ZIP, from scripts/windows.sh) under Wine, on a
# 1280x720 screen under openbox, unpacked into a folder whose path has a
# space. It holds only what it should, its programs need no DLL but
# Windows' own and its own, and they carry their icon, version and
# manifest. lumbox.exe fills the screen's height at 4:3 with the start
# field, takes a real click to preset 1 and ends on Escape; on a server
# without GLX it shows why in a message box and ends with status 1 once the
# box is closed. The screensaver lumbox.scr says it has no settings with /c;
# with /p it fills the window of a stand-in for the settings (settings.c)
# until that goes, and refuses a handle that is no window; with /s, on a
# real Xorg with two monitors, it shows the picture on the first and covers
# the second in black, and the mouse's first move ends it.
. "$(dirname "$0")/xserver.sh"
start_harness
[ -f "${WINDOWS_ZIP:-}" ] || skip "no Windows zip at '${WINDOWS_ZIP:-}' (scripts/windows.sh builds it)"
need wine wineserver winepath unzip x86_64-w64-mingw32-gcc x86_64-w64-mingw32-objdump wrestool icotool strings xsetroot

screen=1280x720x24
picture=960x720+160+0  # 800x600 scaled to the screen's height, centred

unzip -q "$WINDOWS_ZIP" -d "$work/un zipped"
dir=$(echo "$work/un zipped"/*/)
files=$(LC_ALL=C; cd "$dir" && echo *)
[ "$files" = "LICENSE-SDL2.txt LICENSE-sdl12-compat.txt LICENSE.txt README.txt SDL.dll SDL2.dll lumbox.exe lumbox.scr" ] ||
    fail "the zip's folder holds: $files"

# The resources Explorer reads: an icon of 16 to 256 pixels, the version
# information with the zip's version, and the manifest declaring
# per-monitor DPI awareness; for the screensaver also its name in the
# screen saver settings (string 1).
version=${WINDOWS_ZIP##*/lumbox-}
version=${version%-windows-x64.zip}
for program in lumbox.exe lumbox.scr; do
    wrestool -x --type=group_icon "$dir$program" >"$work/icon.ico"
    sizes=$(icotool -l "$work/icon.ico" | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | xargs)
    [ "$sizes" = "16 32 48 256" ] || fail "$program's icon comes in the sizes '$sizes'"
    info=$(wrestool -x --raw --type=version "$dir$program" | strings -el -n 3 | tr '\n' '|')
    for value in "ProductName|lumbox|" "FileDescription|lumbox|" "ProductVersion|$version|" "FileVersion|$version|" \
        "OriginalFilename|$program|" "LegalCopyright|Copyright (c) "; do
        [[ "|$info" = *"|$value"* ]] || fail "$program's version information lacks '$value': $info"
    done
    [[ "$info" =~ LegalCopyright\|[^|]*MIT ]] || fail "$program's copyright does not name the MIT licence: $info"
    wrestool -x --raw --type=24 "$dir$program" | grep -q '>PerMonitorV2' ||
        fail "$program's manifest does not declare per-monitor DPI awareness (v2)"
done
[ "$(wrestool -x --raw --type=string "$dir/lumbox.scr" | strings -el)" = lumbox ] ||
    fail "lumbox.scr names itself otherwise in the screen saver settings"

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

WINEDEBUG=-all,+msgbox start_windows lumbox.scr /c
wait_until 30 "no message box named lumbox" box_shown
grep -q 'msgbox:MSGBOX_OnInit L"lumbox has no settings."' "$work/err" || fail "the settings' box does not say so"
xdotool windowactivate --sync "$box" key Return
expect_exit 0 10
x86_64-w64-mingw32-gcc -O2 -o "$work/settings.exe" "$(dirname "$0")/settings.c"
timeout 60 wine "$work/settings.exe" "$(winepath -w "$dir/lumbox.scr")" >"$work/settings" 2>>"$work/err" || true
report=$(tr -d '\r' <"$work/settings" | xargs)
[[ "$report" =~ ^running\ 1\ window\ 152x112\+0\+0\ ended\ 0\ after\ ([0-9]+)\ ms$ ]] && [ "${BASH_REMATCH[1]}" -le 1000 ] ||
    fail "the preview did not run in one window filling the settings' 152x112 until it closed, then end with status 0 within 1 s: $report"
start_windows lumbox.scr /p 12345
expect_exit 1 10
grep -q "names no window" "$work/err" || fail "/p with no window's handle does not say why"

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

# Two monitors side by side on a real Xorg, the root magenta: under /s the
# picture fills the first (the primary), the second shows nothing lit. The
# saver reads the pointer's place at start, so a single jump of 25 pixels
# ends it. Started with the pointer on the second monitor, it shows no
# pointer; SDL's full-screen grab then keeps the pointer at the picture's
# edge, which must not count as a move, and a mouse moving from there ends
# it, and so do pushes to the right, which the pointer cannot follow. Under
# openbox, as Wine, without a window manager, waits 2 s for each closed
# full-screen window to be withdrawn. Wine's processes on the earlier
# servers go, so that its new desktop process finds the new server's
# monitors.
start_xorg 1280x720 1280x720
start_openbox
xsetroot -solid magenta
wineserver -k && wineserver -w
wineserver -f -p >>"$work/wineserver.log" 2>&1 &
stop_at_exit $!
covered() { shot second 1280x720+1280+0 && [ "$(count second "$notblack")" -eq 0 ]; }
still_running() { kill -0 "$lumbox_pid" 2>/dev/null || fail "the screensaver ended before the pointer moved"; }
xdotool mousemove 400 300
start_windows lumbox.scr /s
wait_for_window
wait_until 30 "the screensaver's picture did not show on the first monitor" shows start 1280x720+0+0
wait_until 5 "the second monitor was not covered in black" covered
still_running
xdotool mousemove_relative 25 0
expect_clean_exit 3

for push in "0 4" "4 0"; do
    xdotool mousemove 1900 300
    start_windows lumbox.scr /s
    wait_for_window
    wait_until 30 "the screensaver's picture did not show on the first monitor" shows start 1280x720+0+0
    [ "$("$POINTER")" -eq 0 ] || fail "a pointer shows over the second monitor"
    still_running
    for step in 1 2 3 4 5 6; do xdotool mousemove_relative $push sleep 0.05; done
    expect_clean_exit 3
done
