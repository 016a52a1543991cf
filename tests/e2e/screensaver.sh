# SPDX-License-Identifier: MIT
# Shared steps of the screensaver tests, on top of xserver.sh: the hack as
# the package has it, on a 1280x720 screen where its picture fills the
# height at 4:3 between side bars. A test sources it, then:
#   install_hack       start_harness, then installs the build in $work/root
#                      with the paths of a system whose prefix is /usr;
#                      $hack is the hack there (a test may name it by the
#                      path its daemon runs it by)
#   wait_for_hack      the daemon started the hack, whose picture fills
#                      $picture
#   expect_hack_gone   the user being back, the hack is gone within 3 s, and
#                      the daemon's log ($work/err, with the hack's standard
#                      error) holds no X error
. "$(dirname "${BASH_SOURCE[0]}")/xserver.sh"

screen=1280x720x24
picture=960x720+160+0  # 800x600 scaled to the screen's height, centred

install_hack() {
    start_harness
    need pgrep convert
    [ -d "${BUILD:-}" ] || fail "BUILD does not name the build tree"
    DESTDIR=$work/root cmake --install "$BUILD" --prefix /usr >/dev/null
    hack=$work/root/usr/libexec/xscreensaver/lumbox
}

# Only processes that see the test's mounts count (see mate.sh).
hack_running() { pgrep --ns $$ --nslist mnt -f "^$hack" >/dev/null; }
hack_gone() { ! hack_running; }

wait_for_hack() {
    wait_until 30 "the hack's picture at $picture" fills "$picture"
    hack_running || fail "the picture shows, but not from the installed hack"
}

expect_hack_gone() {
    wait_until 3 "the hack gone after the user's return" hack_gone
    if grep -iE 'X error|Bad(Drawable|Window|Match|Access)' "$work/err"; then
        fail "an X error in the daemon's log"
    fi
}
