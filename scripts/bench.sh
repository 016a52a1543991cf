#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Benchmark: builds lumbox for speed and runs the real binary on a private
# Xvfb server (800x600x24, Mesa's llvmpipe) with framehook and allocount
# preloaded. Prints, over several runs of a fixed number of frames, the
# frames per second, the time from process start to the first frame shown,
# the peak resident memory and the allocation calls per late frame; then the
# frames per second under a nested weston, paced by default and free with
# SDL12COMPAT_SYNC_TO_VBLANK=0; then the field generators' times
# (scenebench); then the web build's program bytes (raw, gzip, brotli), its
# first frame over a slow 4G network and its frames per second in headless
# Chromium on SwiftShader's WebGL, beside the native ones.
#   scripts/bench.sh            the figures above
#   scripts/bench.sh --profile  also a callgrind profile of the frame: the
#                               share of lumbox's own code in its instructions
#                               and who makes its allocation calls (slow:
#                               a few minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
profile=no
case "${1:-}" in
    "") ;;
    --profile) profile=yes ;;
    *) echo "usage: $0 [--profile]" >&2; exit 2 ;;
esac

runs=5            # runs of the real binary
frames=2000       # frames per run; allocations are counted over the second half
profile_from=50   # the profile counts frames profile_from+1 ... profile_to, after
profile_to=150    # llvmpipe has compiled its shaders
web_runs=3        # page loads of the web build
web_frames=1000   # frames timed per page load
weston_frames=300 # frames per run under weston

scripts/setup.sh --bench
cmake --preset bench >/dev/null
cmake --build --preset bench -j"$(nproc)" >/dev/null
tools=$PWD/build-bench/tools
export LUMBOX=$PWD/build-bench/viewer/lumbox
. tests/e2e/xserver.sh
start_harness
start_xserver

# summary NAME COLUMN FILE: median, min and max of a column of numbers.
summary() {
    sort -g -k"$2" "$3" | awk -v name="$1" -v c="$2" \
        '{ v[NR] = $c } END { printf "  %-24s median %10.1f   min %10.1f   max %10.1f\n", name, v[int((NR + 1) / 2)], v[1], v[NR] }'
}

echo "lumbox on Xvfb 800x600x24, Mesa llvmpipe, $(nproc) cores: $runs runs of $frames frames"
printf '  %-4s %10s %16s %14s %18s\n' run fps first_frame_ms peak_rss_kb allocs_per_frame
half=$(( frames / 2 ))
for run in $(seq "$runs"); do
    start=$(date +%s.%N)
    LD_PRELOAD="$tools/allocount.so $tools/framehook.so" FRAMEHOOK_LOG="$work/log" \
        FRAMEHOOK_ACTIONS="$half:allocs $frames:allocs $frames:quit" \
        "$LUMBOX" >"$work/out" 2>"$work/err" || fail "run $run ended with status $?"
    awk -v start="$start" -v run="$run" -v half="$half" -v frames="$frames" '
        $1 == "frames" { n = $2 }
        $1 == "seconds" { s = $2 }
        $1 == "first_frame_at" { first = ($2 - start) * 1000 }
        $1 == "maxrss_kb" { rss = $2 }
        $1 == "allocs" && $2 == half { a = $3 }
        $1 == "allocs" && $2 == frames { b = $3 }
        END { printf "  %-4d %10.1f %16.1f %14d %18.2f\n", run, (n - 1) / s, first, rss, (b - a) / (frames - half) }
    ' "$work/log" | tee -a "$work/runs"
done
summary "frames per second" 2 "$work/runs"
summary "first frame (ms)" 3 "$work/runs"
summary "peak resident (KiB)" 4 "$work/runs"
summary "allocations per frame" 5 "$work/runs"

# Under weston, whose output refreshes at 60 Hz, swaps can be paced: the
# rate by default and with SDL12COMPAT_SYNC_TO_VBLANK=0, free running.
echo
echo "Under weston in that Xvfb (x11 backend, pixman, 60 Hz): $weston_frames frames"
start_weston
for sync in unset 0; do
    sync_env=(-u SDL12COMPAT_SYNC_TO_VBLANK)
    [ "$sync" = unset ] || sync_env=(SDL12COMPAT_SYNC_TO_VBLANK="$sync")
    env "${sync_env[@]}" LD_PRELOAD="$tools/framehook.so" FRAMEHOOK_LOG="$work/log" \
        FRAMEHOOK_ACTIONS="$weston_frames:quit" "$LUMBOX" >"$work/out" 2>"$work/err" ||
        fail "the weston run ended with status $?"
    printf '  SDL12COMPAT_SYNC_TO_VBLANK %-6s %10.1f frames per second\n' "$sync" "$(fps "$work/log")"
done
stop_desktop

echo
echo "Field generators alone:"
"$tools/scenebench"

echo
echo "lumbox in headless Chromium, SwiftShader WebGL, $(nproc) cores: $web_runs page loads, $web_frames frames each"
scripts/web.sh --build >"$work/web-build" 2>&1 ||
    { cat "$work/web-build" >&2; fail "the web build failed"; }
node tools/webbench.mjs build-web/page "$web_runs" "$web_frames" >"$work/web" ||
    fail "the web benchmark failed"
echo "  bytes a first visit fetches (program: lumbox.js and lumbox.wasm; page: those and index.html):"
awk '$1 == "bytes" { printf "  %-12s raw %8d   gzip %8d   brotli %8d\n", $2, $3, $4, $5 }' "$work/web"
echo "  page loads over slow 4G (1.6 Mbit/s, 150 ms latency), files as the page's server sends them (uncompressed):"
printf '  %-4s %10s %16s\n' run fps first_frame_ms
awk '$1 == "run" { printf "  %-4d %10.1f %16d\n", $2, $3, $4 }' "$work/web" | tee "$work/webruns"
summary "frames per second" 2 "$work/webruns"
summary "first frame (ms)" 3 "$work/webruns"

[ "$profile" = yes ] || exit 0

# callgrind FRAMES OUT: profiles the first FRAMES frames, counting only
# inside drawframe, with llvmpipe drawing on the program's own thread.
callgrind() {
    LP_NUM_THREADS=0 LD_PRELOAD="$tools/framehook.so" FRAMEHOOK_ACTIONS="$1:quit" \
        valgrind --tool=callgrind --callgrind-out-file="$2" --toggle-collect='drawframe*' \
        "$LUMBOX" >/dev/null 2>"$work/err" || fail "the profiled run ended with status $?"
}
# byobject OUT: instructions per object file (lumbox, the libraries, ??? for
# code llvmpipe compiled at run time).
byobject() {
    callgrind_annotate --threshold=100 "$1" 2>/dev/null | awk '
        /^ *[0-9,]+ \(/ && /\[.*\]$/ {
            n = $1; gsub(",", "", n); o = $0; sub(/.*\[/, "", o); sub(/\]$/, "", o); s[o] += n }
        /PROGRAM TOTALS/ { t = $1; gsub(",", "", t); s["TOTAL"] = t }
        END { for (k in s) printf "%s\t%.0f\n", k, s[k] }'
}
# allocators OUT: allocation calls per object file of the caller.
allocators() {
    callgrind_annotate --tree=caller --threshold=100 "$1" 2>/dev/null | awk '
        / < / { callers[++c] = $0; next }
        / \* / && /:(malloc|calloc|realloc|memalign|aligned_alloc|posix_memalign) \[/ {
            for (i = 1; i <= c; i++) {
                line = callers[i]
                if (!match(line, /\([0-9,]+x\)/)) continue
                n = substr(line, RSTART + 1, RLENGTH - 3); gsub(",", "", n)
                o = "(the dynamic loader)"
                if (line ~ /\[.*\]$/) { o = line; sub(/.*\[/, "", o); sub(/\]$/, "", o) }
                s[o] += n
            }
        }
        /^$/ || / \* / { c = 0 }
        END { for (k in s) printf "%s\t%.0f\n", k, s[k] }'
}

echo
echo "Profile: callgrind, frames $(( profile_from + 1 ))-$profile_to, llvmpipe on the drawing thread"
callgrind "$profile_from" "$work/cg.early"
callgrind "$profile_to" "$work/cg.late"
perframe=$(( profile_to - profile_from ))
byobject "$work/cg.early" | sort >"$work/ob.early"
byobject "$work/cg.late" | sort >"$work/ob.late"
join -t $'\t' -a2 -e0 -o 0,1.2,2.2 "$work/ob.early" "$work/ob.late" |
    awk -F'\t' -v f="$perframe" -v me="$LUMBOX" '
        { d = ($3 - $2) / f }
        $1 == "TOTAL" { total = d; next }
        $1 == me { own = d }
        { if (d > 0) printf "  %14.0f  %s\n", d, $1 | "sort -rn" }
        END {
            close("sort -rn")
            printf "  instructions per frame: %.0f in all, %.0f in lumbox itself (%.3f %%)\n", total, own, 100 * own / total }' |
    { echo "  instructions per frame by object:"; cat; }
allocators "$work/cg.early" | sort >"$work/al.early"
allocators "$work/cg.late" | sort >"$work/al.late"
echo "  allocation calls per frame by the caller's object:"
join -t $'\t' -a2 -e0 -o 0,1.2,2.2 "$work/al.early" "$work/al.late" |
    awk -F'\t' -v f="$perframe" -v me="$LUMBOX" '
        { d = ($3 - $2) / f; if (d > 0) printf "  %14.2f  %s\n", d, $1 | "sort -rn" }
        $1 == me { own = d }
        END { close("sort -rn"); printf "  allocation calls per frame in lumbox itself: %.2f\n", own }'
