#!/usr/bin/env bash
# Renders the pictures shown in the README: the real binary on a private
# Xvfb server at 800x600x24 with Mesa's llvmpipe, driven frame by frame
# through the frame hook, so the same C library gives the same pictures on
# every run. Saves the start field and each of the five presets, halved to
# 400x300 (each pixel the mean of four), as docs/pictures/*.png.
#   scripts/pictures.sh [OUTPUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-docs/pictures}

scripts/setup.sh --test
cmake --preset test >/dev/null
cmake --build --preset test --target lumbox framehook -j"$(nproc)" >/dev/null
export LUMBOX=$PWD/build-test/viewer/lumbox
hook=$PWD/build-test/tools/framehook.so
. tests/e2e/xserver.sh

# The pointer sits in the middle from the first frame, so the eye is not
# shifted. Each click is polled at the end of its frame and the next frame
# draws the new preset; the picture is taken a fixed number of frames later,
# once the camera has moved on a little.
first_shot=150
first_click=250
clicks_apart=200
shot_after=100
presets=(1 2 3 4 0)

actions="1:motion:400,300 $first_shot:shot:$work/start.ppm"
frame=$first_click
for preset in "${presets[@]}"; do
    actions+=" $frame:click $((frame + shot_after)):shot:$work/preset$preset.ppm"
    frame=$((frame + clicks_apart))
done
actions+=" $frame:quit"

start_xserver
LD_PRELOAD=$hook FRAMEHOOK_ACTIONS=$actions "$LUMBOX" >"$work/out" 2>"$work/err" &
lumbox_pid=$!
expect_exit 0 300
expect_no_error_lines

mkdir -p "$out"
for name in start "${presets[@]/#/preset}"; do
    [ -s "$work/$name.ppm" ] || fail "no picture of $name was taken"
    # No metadata, no time stamps: the same frame gives the same file.
    convert "$work/$name.ppm" -scale 50% -strip \
        -define png:exclude-chunks=date,time "$out/$name.png"
    echo "$out/$name.png"
done
