#!/usr/bin/env bash
# Checks an installed Coilsmith:
#   packaging/check-install.sh tree PREFIX    the tree `cmake --install --prefix PREFIX` made
#   packaging/check-install.sh deb FILE.deb   the Debian package: its listing, then the tree
#                                             unpacked from it, its desktop entry and metainfo
# The tree must hold exactly the files of install-manifest.txt; its programs answer --help
# and --version without a display; its manual pages name every command and every JSON key;
# its coilsmith-cli, run from where it lies, must find the installed catalogue and complete
# the installed sample design and its report. The package must also pass lintian without
# an error or a warning.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
manifest="$here/install-manifest.txt"
version="$(sed -n 's/^project(Coilsmith VERSION \([0-9.]*\).*/\1/p' "$here/../CMakeLists.txt")"
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

# Every program answers --version and --help on standard output without a display.
check_information_options() {
    local bin="$1" program option
    for program in coilsmith coilsmith-cli coilsmith-cli-report; do
        for option in --version --help; do
            env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/$program" "$option" \
                >"$work/answer" 2>&1 || fail "$program $option failed: $(cat "$work/answer")"
        done
        [ "$(env -u DISPLAY "$bin/$program" --version | head -1)" = "$program $version" ] ||
            fail "$program --version does not say '$program $version'"
    done
}

# The manual page of coilsmith-cli names each command and each key of the JSON outputs
# (taken from what the installed program writes); every page names the sample design.
check_manual_pages() {
    local prefix="$1" designed="$2" page key
    for page in coilsmith coilsmith-cli coilsmith-cli-report; do
        zcat "$prefix/share/man/man1/$page.1.gz" >"$work/$page.1" ||
            fail "no manual page $page(1)"
        grep -q 'sample\\-choke.txt' "$work/$page.1" || fail "$page(1) does not name the sample design"
    done
    for key in design check rank report; do
        grep -q "^\\.SS \"The $key command:\"" "$work/coilsmith-cli.1" ||
            fail "coilsmith-cli(1) has no section on the $key command"
    done
    (cd "$work" && "$prefix/bin/coilsmith-cli" check "$designed" --format json >check.json &&
        "$prefix/bin/coilsmith-cli" rank "$designed" --top 1 --format json >rank.json) ||
        fail "coilsmith-cli check or rank failed"
    for key in $(grep -oh '"[a-z0-9_]*":' "$work/check.json" "$work/rank.json" | tr -d '":' | sort -u); do
        grep -q "$key" "$work/coilsmith-cli.1" || fail "coilsmith-cli(1) does not name the JSON key $key"
    done
}

check_tree() {
    local prefix="$1"
    (cd "$prefix" && find . -type f -o -type l | sed 's|^\./||') >"$work/tree"
    same_files "$work/tree" ""
    check_information_options "$prefix/bin"

    # Run from a folder without a catalogue, and with no catalogue named, so that only the
    # lookup relative to the executable can find it.
    local sample="$prefix/share/doc/coilsmith/examples/sample-choke.txt"
    local out="$work/designed.txt" status=0
    (cd "$work" && env -u COILSMITH_CATALOGUE "$prefix/bin/coilsmith-cli" design \
        "$sample" -o "$out") || status=$?
    [ "$status" -eq 0 ] || fail "coilsmith-cli design exited $status"
    [ "$(wc -l <"$out")" -eq 40 ] || fail "the designed file does not have 40 lines"
    local turns
    turns="$(sed -n 18p "$out" | tr -d '\r')"
    [[ "$turns" =~ ^[1-9][0-9]*$ ]] || fail "the designed file has no number of turns (line 18: '$turns')"
    check_manual_pages "$prefix" "$out"

    (cd "$work" && env -u COILSMITH_CATALOGUE QT_QPA_PLATFORM=offscreen \
        "$prefix/bin/coilsmith-cli" report "$sample" -o "$work/report.pdf") ||
        fail "coilsmith-cli report failed"
    [ "$(head -c 5 "$work/report.pdf")" = "%PDF-" ] || fail "the report is not a PDF"
    echo "check-install: $prefix holds the expected files and manual pages; its coilsmith-cli designed a choke of $turns turns and its report"
}

# lintian on the package: every error and warning fails the check; the informational and
# pedantic remarks are listed.
check_lintian() {
    local deb="$1"
    lintian --fail-on none --display-info --pedantic --tag-display-limit 0 "$deb" >"$work/lintian" 2>&1 ||
        fail "lintian could not check $deb: $(cat "$work/lintian")"
    cat "$work/lintian"
    if grep -q '^[EW]: ' "$work/lintian"; then
        fail "lintian reports errors or warnings on $deb"
    fi
}

check_deb() {
    local deb="$1"
    dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' >"$work/listing"
    same_files "$work/listing" "usr/"
    dpkg-deb -x "$deb" "$work/unpacked"
    check_tree "$work/unpacked/usr"
    local entry=("$work/unpacked/usr/share/applications/"*.desktop)
    desktop-file-validate "${entry[@]}"
    # "Open With Coilsmith" in a file manager hands the program the file it was chosen on.
    grep -qx 'Exec=coilsmith %f' "${entry[@]}" || fail "the desktop entry does not pass the file (%f)"
    appstreamcli validate --no-net "$work/unpacked/usr/share/metainfo/"*.metainfo.xml
    check_lintian "$deb"
    echo "check-install: $deb lists the expected files; desktop entry and metainfo validate; lintian reports no error or warning"
}

case "${1:-}" in
tree) check_tree "$(cd "$2" && pwd)" ;;
deb) check_deb "$2" ;;
*)
    echo "usage: packaging/check-install.sh tree PREFIX | deb FILE.deb" >&2
    exit 2
    ;;
esac
