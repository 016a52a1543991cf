# SPDX-License-Identifier: MIT
# Sourced by the scripts that build downloads (release.sh, windows.sh), run
# from the source tree's top: the same source gives the same bytes whoever
# builds it, wherever and whenever.
#   TZ=UTC, LC_ALL=C, umask 022   the builder's time zone, language and
#                        umask leave no trace in dates, sort orders or modes
#   SOURCE_DATE_EPOCH    the time every program and archive carries (GCC's
#                        __DATE__, the PE headers, the archives' entries): as
#                        given, else the last commit's, else, outside git,
#                        the time dist/commit holds in a source archive
#   source_commit        the commit the source is (unknown when
#                        SOURCE_DATE_EPOCH is given outside git)
#   in_git               yes in a git clone's top folder, else no
export TZ=UTC LC_ALL=C
umask 022

# git archive writes the commit and its time into dist/commit (export-subst
# in .gitattributes); in a clone it holds the placeholder.
source_commit=unknown
in_git=no
if [ "$(git rev-parse --show-toplevel 2>/dev/null)" = "$PWD" ]; then
    in_git=yes
    source_commit=$(git log -1 --format=%H)
    export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
elif read -r archived_commit archived_time < <(grep -v '^#' dist/commit) &&
    [[ "$archived_time" =~ ^[0-9]+$ ]]; then
    source_commit=$archived_commit
    export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$archived_time}
fi
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "${0##*/}: cannot tell when this source was made: it is no git clone, and dist/commit names no time" \
        "(git archive fills it in); set SOURCE_DATE_EPOCH to a time in seconds since 1970" >&2
    exit 1
fi
[[ "$SOURCE_DATE_EPOCH" =~ ^[0-9]+$ ]] ||
    { echo "${0##*/}: SOURCE_DATE_EPOCH is '$SOURCE_DATE_EPOCH', not a time in seconds since 1970" >&2; exit 1; }
