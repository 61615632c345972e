#!/usr/bin/env bash
# One-command set-up for a fresh Debian 12 machine.
#   tools/dev.sh run    install what is missing, build (Release) and start Coilsmith
#   tools/dev.sh test   install what is missing, build with ASan/UBSan and run every test
#   tools/dev.sh package  install what is missing, build (Release) the Debian package in
#                         build-release/ and check its files, and that what it installs runs
set -euo pipefail
cd "$(dirname "$0")/.."

PACKAGES=(build-essential cmake ninja-build pkg-config
    qt6-base-dev libqt6opengl6-dev qt6-svg-dev qt6-charts-dev
    libsqlite3-dev nlohmann-json3-dev libcli11-dev libgtest-dev libgmock-dev libbenchmark-dev
    help2man xvfb xauth fonts-dejavu-core fonts-liberation2 poppler-utils locales ngspice
    dpkg-dev file desktop-file-utils appstream clang-format clang-tidy)
# Only the package check needs these.
PACKAGE_CHECK_PACKAGES=(lintian)

# Installs what is missing of PACKAGES and of the packages named as arguments.
install_missing() {
    local missing=()
    for p in "${PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

jobs=$(nproc 2>/dev/null || echo 2)

case "${1:-}" in
run)
    install_missing
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOILSMITH_TESTS=OFF -DCOILSMITH_BENCHMARKS=OFF
    cmake --build build -j "$jobs" --target coilsmith coilsmith-cli
    exec build/bin/coilsmith "${@:2}"
    ;;
test)
    install_missing
    cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCOILSMITH_SANITIZE=ON -DCOILSMITH_WERROR=ON
    # The sources keep the project's format, and the physics core passes its clang-tidy set.
    git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
    cmake --build build-test -j "$jobs"
    export QT_QPA_PLATFORM=offscreen
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    export LSAN_OPTIONS="suppressions=$PWD/tests/lsan.supp:print_suppressions=0"
    ctest --test-dir build-test --output-on-failure -j "$jobs"
    # The test build's flags are GCC's: clang-tidy passes over the ones it does not know.
    clang-tidy --quiet -p build-test --warnings-as-errors='*' --extra-arg=-Wno-unknown-warning-option \
        src/physics/*.cpp
    ;;
package)
    install_missing "${PACKAGE_CHECK_PACKAGES[@]}"
    cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCOILSMITH_TESTS=OFF -DCOILSMITH_BENCHMARKS=OFF
    cmake --build build-release -j "$jobs"
    rm -f build-release/coilsmith_*.deb
    (cd build-release && cpack -G DEB)
    deb=$(ls build-release/coilsmith_*.deb)
    packaging/check-install.sh deb "$deb"
    echo "$deb: $(stat -c %s "$deb") bytes"
    dpkg-deb -f "$deb" Version Installed-Size Depends
    ;;
*)
    echo "usage: tools/dev.sh run|test|package" >&2
    exit 2
    ;;
esac
