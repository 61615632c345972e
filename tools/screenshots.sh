#!/usr/bin/env bash
# Takes the README pictures: runs Coilsmith under Xvfb and plays a short design (New, the
# specification, Calculate AP, a toroid, core and material, Run) through the
# COILSMITH_SCRIPT hook, grabbing each page into docs/; then the splash, about and help
# windows, the core adviser and a page of the printed report.
#   tools/screenshots.sh [build-dir]      (default: build-docs; QT_SCALE_FACTOR is passed on)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-docs}
docs=$PWD/docs
[ -f "$build/build.ninja" ] ||
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOILSMITH_BENCHMARKS=OFF >/dev/null
cmake --build "$build" --target coilsmith catalogue_db extras_tests report_tests adviser_screenshot >/dev/null

script=$(mktemp)
trap 'rm -f "$script"' EXIT
cat >"$script" <<SCRIPT
new
set Ldes 100
set DCC 5
set ACC 1
set Freq 100
set FD 0.3
pick CurD 400
click CAP
grab $docs/page-specifications.png
option Toroid
pick Core T106
pick CoreMat -26
page 1
grab $docs/page-core-database.png
run
grab $docs/page-design-results.png
quit
SCRIPT

export COILSMITH_SCRIPT=$script
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" "$build/bin/coilsmith"

# The other windows are pictured by their tests when asked to.
export COILSMITH_SCREENSHOT_DIR=$docs
QT_QPA_PLATFORM=offscreen "$build/bin/extras_tests" >/dev/null
QT_QPA_PLATFORM=offscreen "$build/bin/report_tests" --gtest_filter='*DocumentationReport*' >/dev/null
rm -f "$docs/report.pdf"  # the picture is enough
QT_QPA_PLATFORM=offscreen "$build/bin/adviser_screenshot" "$docs/adviser.png"
ls -l "$docs"/*.png
