#!/usr/bin/env bash
# Takes the README pictures: runs Coilsmith under Xvfb and plays a short design (New, the
# specification, Calculate AP, a toroid, core and material, Run) through the
# coilsmith-screenshots tool, grabbing each page; then the splash, about and help windows, the
# core adviser and a page of the printed report. Every picture comes from the catalogue
# built beside the executables. The pictures replace those in docs/ only when every one of
# them was taken: a message box, a script line that cannot be played, a catalogue that
# cannot be opened or an adviser with no feasible design fails the whole run.
#   tools/screenshots.sh [build-dir]      (default: build-docs; QT_SCALE_FACTOR is passed on)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-docs}
docs=$PWD/docs

fail() {
    echo "screenshots: $*" >&2
    exit 1
}
for tool in xvfb-run pdftoppm; do
    command -v "$tool" >/dev/null || fail "$tool is missing (tools/dev.sh installs it)"
done

[ -f "$build/build.ninja" ] ||
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOILSMITH_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target coilsmith-screenshots catalogue_db coilsmith >/dev/null
bin=$(cd "$build/bin" && pwd)
[ -s "$bin/Cores.csx" ] || fail "no catalogue beside the executables in $build/bin"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
shots=$work/shots
mkdir "$shots"
# The user's own settings, locale and scale stay out of the pictures.
export XDG_CONFIG_HOME=$work/config
export LC_ALL=C.UTF-8
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}

cat >"$work/script" <<SCRIPT
new
set Ldes 100
set DCC 5
set ACC 1
set Freq 100
set FD 0.3
pick CurD 400
click CAP
grab $shots/page-specifications.png
option Toroid
pick Core T106
pick CoreMat -26
page 1
grab $shots/page-core-database.png
run
grab $shots/page-design-results.png
page 3
grab $shots/page-design-check.png
quit
SCRIPT

timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" "$bin/coilsmith-screenshots" design "$work/script" ||
    fail "the design pictures failed (status $?)"

QT_QPA_PLATFORM=offscreen "$bin/coilsmith-screenshots" windows "$shots" >"$work/extras.log" 2>&1 ||
    { cat "$work/extras.log" >&2; fail "the splash, about and help pictures failed"; }
QT_QPA_PLATFORM=offscreen "$bin/coilsmith-screenshots" report "$shots/report.pdf" >"$work/report.log" 2>&1 ||
    { cat "$work/report.log" >&2; fail "the report failed"; }
pdftoppm -png -r 60 -f 1 -l 1 -singlefile "$shots/report.pdf" "$shots/report"
rm -f "$shots/report.pdf"  # the picture is enough
QT_QPA_PLATFORM=offscreen timeout 120 "$bin/coilsmith-screenshots" adviser "$shots/adviser.png" 2>"$work/adviser.log" ||
    { grep -v "propagateSizeHints\|XDG_RUNTIME_DIR" "$work/adviser.log" >&2; fail "the adviser picture failed"; }

expected="about adviser help page-core-database page-design-check page-design-results page-specifications report splash"
for name in $expected; do
    [ -s "$shots/$name.png" ] || fail "$name.png was not taken"
done
for name in $expected; do
    mv "$shots/$name.png" "$docs/$name.png"
done
ls -l "$docs"/*.png
