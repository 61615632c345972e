#!/usr/bin/env bash
# Takes the README screenshots of the three design pages: runs Coilsmith under Xvfb and
# plays a short design (New, the specification, Calculate AP, a toroid, core and material,
# Run) through the COILSMITH_SCRIPT hook, grabbing each page into docs/.
#   tools/screenshots.sh [build-dir]      (default: build; QT_SCALE_FACTOR is passed on)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
docs=$PWD/docs
cmake --build "$build" --target coilsmith catalogue_db >/dev/null

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
pick Core T50
pick CoreMat 0
page 1
grab $docs/page-core-database.png
run
grab $docs/page-design-results.png
quit
SCRIPT

export COILSMITH_SCRIPT=$script
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
timeout 60 xvfb-run -a -s "-screen 0 1280x800x24" "$build/bin/coilsmith"
ls -l "$docs"/page-*.png
