# SPDX-License-Identifier: MIT
# The real binary's pictures: the start field, the camera moving on, and a
# click to each of the five presets, 1, 2, 3, 4, then 0, rendered on a
# private Xvfb server and driven frame by frame through the frame hook
# ($FRAMEHOOK), so the same C library and Mesa give the same files byte for
# byte. Each is lit, keeps its colour signature (../presets.txt), and the
# start field's blocks are blended additively. Halved to 400x300 (each pixel
# the mean of four), they are the pictures in docs/pictures/.
#   pictures.sh              checks them and compares them with docs/pictures/;
#                            the comparison is left out (and said so) where
#                            the Mesa that renders differs from the one
#                            recorded there in mesa-version
#   pictures.sh --write DIR  renders them, with mesa-version and the moving
#                            picture tour.gif, into DIR
. "$(dirname "$0")/xserver.sh"
start_harness
need convert
pictures=$(cd "$(dirname "$0")/../../docs/pictures" && pwd)

case "${1:-}" in
"") out= ;;
--write) out=${2:?pictures.sh --write needs a folder} ;;
*) fail "usage: pictures.sh [--write DIR]" ;;
esac

# The pointer sits in the middle from the first frame, so the eye is not
# shifted. Each click is polled at the end of its frame and the next frame
# draws the new preset; the picture is taken a fixed number of frames later,
# once the camera has moved on a little.
first_shot=150
moved_shot=200
first_click=250
clicks_apart=200
shot_after=100
presets=(1 2 3 4 0)
names=(start "${presets[@]/#/preset}")
render_seconds=120  # about ten at llvmpipe speed

actions="1:motion:400,300 $first_shot:shot:$work/start.ppm $moved_shot:shot:$work/moved.ppm"
frame=$first_click
for preset in "${presets[@]}"; do
    actions+=" $frame:click $((frame + shot_after)):shot:$work/preset$preset.ppm"
    frame=$((frame + clicks_apart))
done
actions+=" $frame:quit"
# The moving picture, written with --write only: every fifth frame across
# the first two clicks and the start of the second camera leg (frame 301).
moving_first=175 moving_last=525 moving_step=5
if [ -n "$out" ]; then
    mkdir "$work/moving"
    for frame in $(seq $moving_first $moving_step $moving_last); do
        actions+=" $frame:shot:$work/moving/$(printf %04d "$frame").ppm"
    done
fi

start_xserver
start_hooked FRAMEHOOK_ACTIONS="$actions"
expect_clean_exit "$render_seconds"

mkdir "$work/new"
for name in "${names[@]}"; do
    [ -s "$work/$name.ppm" ] || fail "no picture of $name was taken"
    signature "$name" || fail "the picture of $name is not as its signature says: $seen"
    # No metadata, no time stamps: the same frame gives the same file.
    convert "$work/$name.ppm" -scale 50% -strip \
        -define png:exclude-chunks=date,time "$work/new/$name.png"
done
signature moved start || fail "as the camera moved on, the picture lost the start field's signature: $seen"
cmp -s "$work/start.ppm" "$work/moved.ppm" && fail "the picture stands still"
# Where a grey block overlaps a green one, green rises above red.
[ "$(count start 'r>0&&g>r')" -gt 0 ] ||
    fail "no grey block brightens a green one: the blocks are not blended additively"
# The Mesa release and the LLVM that compiled llvmpipe's code decide the
# pixels; the vector width llvmpipe picks for the processor does not.
version=$(sed -n 's/^gl_version .*\(Mesa .*\)/\1/p' "$work/log")
renderer=$(sed -En '/^gl_renderer /{s///; s/, [0-9]+ bits//; p}' "$work/log")
echo "$version, $renderer" >"$work/new/mesa-version"

if [ -n "$out" ]; then
    mkdir -p "$out"
    for file in "${names[@]/%/.png}" mesa-version; do
        cp "$work/new/$file" "$out/$file"
        echo "$out/$file"
    done
    # Halved, at about the pace of a 60 Hz display (each shot 8/100 s), in
    # 256 colours without dithering, which keeps the file small.
    convert -delay 8 -loop 0 "$work"/moving/*.ppm -scale 50% -dither None -colors 256 \
        -layers Optimize "$out/tour.gif"
    echo "$out/tour.gif"
    exit 0
fi

[ -s "$pictures/mesa-version" ] || fail "docs/pictures/mesa-version is missing (scripts/pictures.sh writes it)"
made_with=$(cat "$pictures/mesa-version")
renders_with=$(cat "$work/new/mesa-version")
# Every check above has run and passed; only the byte comparison needs the
# recorded Mesa, so another Mesa leaves it out and the test still passes.
if [ "$made_with" != "$renders_with" ]; then
    echo "ok: every picture keeps its signature; the byte comparison with docs/pictures/ is left out:" \
        "they were made with $made_with, this machine renders with $renders_with"
    exit 0
fi
# brightness PNG: the picture's mean over all channels, from 0 to 1.
brightness() { convert "$1" -precision 3 -format '%[fx:mean]' info:; }
differ=()
for name in "${names[@]}"; do
    was=$pictures/$name.png now=$work/new/$name.png
    cmp -s "$was" "$now" && continue
    pixels=$(compare -metric AE "$was" "$now" null: 2>&1) || true
    differ+=("$name.png: $pixels pixels differ; mean brightness $(brightness "$now"), was $(brightness "$was")")
done
[ ${#differ[@]} -eq 0 ] || fail "pictures differ from docs/pictures/:$(printf '\n  %s' "${differ[@]}")"
echo "all ${#names[@]} pictures are as in docs/pictures/ ($made_with)"
