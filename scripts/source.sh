#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Packs the source as build-source/lumbox-VERSION.tar.gz, one folder
# lumbox-VERSION/ holding the commit's files as git archive gives them
# (dist/commit filled in); outside git, those of this tree but the builds
# that .gitignore names (each a /FOLDER/ line), as in an unpacked source
# archive. tar lists them in order with the commit's time (reproducible.sh),
# root as owner and modes 644 and 755, so both give the same bytes.
#   scripts/source.sh VERSION
set -euo pipefail
cd "$(dirname "$0")/.."
die() { echo "source.sh: $*" >&2; exit 1; }
[ $# -eq 1 ] || { echo "usage: $0 VERSION" >&2; exit 2; }
. scripts/reproducible.sh

source=lumbox-$1
rm -rf build-source
mkdir -p "build-source/$source"
if [ "$in_git" = yes ]; then
    [ -z "$(git status --porcelain --untracked-files=no)" ] ||
        echo "source.sh: warning: the source archive holds the commit, not the changes made since" >&2
    git archive --format=tar --prefix="$source/" HEAD | tar -x -C build-source
else
    excluded=()
    while read -r pattern; do
        [[ "$pattern" =~ ^/([^*]+\*?)/$ ]] || die "cannot leave out what .gitignore's '$pattern' names outside git"
        excluded+=("--exclude=./${BASH_REMATCH[1]}")
    done < <(grep -v -e '^#' -e '^$' .gitignore)
    tar -c "${excluded[@]}" . | tar -x -C "build-source/$source"
fi
tar -c --sort=name --format=gnu --owner=0 --group=0 --numeric-owner --mtime="@$SOURCE_DATE_EPOCH" \
    --mode=a+rX,u+w,go-w -C build-source "$source" | gzip -9n >"build-source/$source.tar.gz"
