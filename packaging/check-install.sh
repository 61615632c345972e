#!/usr/bin/env bash
# Checks an installed Coilsmith:
#   packaging/check-install.sh tree PREFIX    the tree `cmake --install --prefix PREFIX` made
#   packaging/check-install.sh deb FILE.deb   the Debian package: its listing, then the tree
#                                             unpacked from it, its desktop entry and metainfo
# The tree must hold exactly the files of install-manifest.txt, and its coilsmith-cli, run
# from where it lies, must find the installed catalogue and complete a sample design and its
# report.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
manifest="$here/install-manifest.txt"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

fail() {
    echo "check-install: $*" >&2
    exit 1
}

# Compares a sorted list of files with the manifest, each line prefixed by $2.
same_files() {
    sed "s|^|$2|" "$manifest" | LC_ALL=C sort >"$work/expected"
    LC_ALL=C sort "$1" >"$work/actual"
    diff -u "$work/expected" "$work/actual" >&2 || fail "files differ from $manifest (- missing, + unexpected)"
}

check_tree() {
    local prefix="$1"
    (cd "$prefix" && find . -type f -o -type l | sed 's|^\./||') >"$work/tree"
    same_files "$work/tree" ""

    # Run from a folder without a catalogue, and with no catalogue named, so that only the
    # lookup relative to the executable can find it.
    local out="$work/designed.txt" status=0
    (cd "$work" && env -u COILSMITH_CATALOGUE "$prefix/bin/coilsmith-cli" design \
        "$here/sample-choke.txt" -o "$out") || status=$?
    [ "$status" -eq 0 ] || fail "coilsmith-cli design exited $status"
    [ "$(wc -l <"$out")" -eq 40 ] || fail "the designed file does not have 40 lines"
    local turns
    turns="$(sed -n 18p "$out" | tr -d '\r')"
    [[ "$turns" =~ ^[1-9][0-9]*$ ]] || fail "the designed file has no number of turns (line 18: '$turns')"

    (cd "$work" && env -u COILSMITH_CATALOGUE QT_QPA_PLATFORM=offscreen \
        "$prefix/bin/coilsmith-cli" report "$here/sample-choke.txt" -o "$work/report.pdf") ||
        fail "coilsmith-cli report failed"
    [ "$(head -c 5 "$work/report.pdf")" = "%PDF-" ] || fail "the report is not a PDF"
    echo "check-install: $prefix holds the expected files; its coilsmith-cli designed a choke of $turns turns and its report"
}

check_deb() {
    local deb="$1"
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' >"$work/listing"
    same_files "$work/listing" "usr/"
    dpkg-deb -x "$deb" "$work/unpacked"
    check_tree "$work/unpacked/usr"
    desktop-file-validate "$work/unpacked/usr/share/applications/"*.desktop
    appstreamcli validate --no-net "$work/unpacked/usr/share/metainfo/"*.metainfo.xml
    echo "check-install: $deb lists the expected files; desktop entry and metainfo validate"
}

case "${1:-}" in
tree) check_tree "$(cd "$2" && pwd)" ;;
deb) check_deb "$2" ;;
*)
    echo "usage: packaging/check-install.sh tree PREFIX | deb FILE.deb" >&2
    exit 2
    ;;
esac
