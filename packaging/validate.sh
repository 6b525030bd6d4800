#!/bin/sh
# The packaging files checked by the validators a desktop and a software centre apply. Exits 77,
# which the tests count as skipped, when the validator is not installed.
#   validate.sh desktop <file.desktop>
#   validate.sh metainfo <file.metainfo.xml>
#   validate.sh tree <build-dir> <scratch-prefix> <cmake> <icon-size>...
set -u

need() {
    command -v "$1" >/dev/null 2>&1 || {
        echo "$1 is not installed: skipped"
        exit 77
    }
}

case "$1" in
desktop)
    need desktop-file-validate
    exec desktop-file-validate "$2"
    ;;
metainfo)
    need appstreamcli
    exec appstreamcli validate --no-net --pedantic --explain "$2"
    ;;
tree)
    need appstreamcli
    build=$2 prefix=$3 cmake=$4
    shift 4
    rm -rf "$prefix"
    "$cmake" --install "$build" --prefix "$prefix" >/dev/null || exit 1
    missing=0
    for file in bin/tavrol32 bin/tavrol32-play share/applications/tavrol32.desktop \
        share/metainfo/io.github.tavrol32.tavrol32.metainfo.xml share/doc/tavrol32/copyright; do
        [ -f "$prefix/$file" ] || { echo "not installed: $file"; missing=1; }
    done
    for size in "$@"; do
        icon=share/icons/hicolor/${size}x${size}/apps/tavrol32.png
        [ -f "$prefix/$icon" ] || { echo "not installed: $icon"; missing=1; }
    done
    [ "$missing" = 0 ] || exit 1
    exec appstreamcli validate-tree --no-net --pedantic --explain "$prefix"
    ;;
*)
    echo "usage: validate.sh desktop|metainfo|tree ..." >&2
    exit 2
    ;;
esac
