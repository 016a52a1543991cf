# SPDX-License-Identifier: MIT
# The verdicts and the private work folder shared by the end-to-end tests
# (through e2e/xserver.sh) and the install and package checks (dist/check.sh).
# Sourcing it only defines; start_harness starts.
#   skip REASON          the test is skipped (exit 77, CTest's skip code)
#   fail MESSAGE         the test fails; the logs in $work that hold anything
#                        follow: every *.log, and err (the program's standard
#                        error)
#   need TOOL...         skips the test unless every tool is installed
#   start_harness        makes the work folder $work; at exit ends lumbox
#                        ($lumbox_pid, killed outright), then each process
#                        handed to stop_at_exit, latest first, and removes $work
#   stop_at_exit PID...  those processes are ended (and waited for) at exit
#   emulate ARCH         $emulator becomes what runs a program built for the
#                        Debian architecture ARCH: nothing for this
#                        machine's own, qemu's user-mode emulator, finding
#                        the ARM libraries under /, for arm64 and armhf
#                        (skips the test unless that emulator is installed)
set -euo pipefail

skip() { echo "SKIPPED: $*"; exit 77; }
fail() {
    echo "FAIL: $*" >&2
    local log
    for log in "${work:-/nonexistent}"/*.log "${work:-/nonexistent}/err"; do
        if [ -s "$log" ]; then sed "s|^|  ${log##*/}: |" "$log" >&2; fi
    done
    exit 1
}
need() {
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh --test installs it)"
    done
}

# Without binfmt_misc, a program of another architecture runs only when
# handed to qemu by name.
declare -A qemu=([arm64]=qemu-aarch64-static [armhf]=qemu-arm-static)
emulator=()
emulate() {
    emulator=()
    [ "$1" != "$(dpkg --print-architecture)" ] || return 0
    need "${qemu[$1]}"
    emulator=("${qemu[$1]}" -L /)
}

lumbox_pid=
stopped_at_exit=()
stop_at_exit() { stopped_at_exit+=("$@"); }
start_harness() {
    work=$(mktemp -d)
    trap end_harness EXIT
}
# Under set -e a failed kill (of a process that already ended) would end the
# clean-up early and leave a server running, hence the || true.
end_harness() {
    local i pid
    if [ -n "$lumbox_pid" ]; then kill -9 "$lumbox_pid" 2>/dev/null || true; fi
    for (( i = ${#stopped_at_exit[@]} - 1; i >= 0; i-- )); do
        pid=${stopped_at_exit[i]}
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
