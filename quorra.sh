#!/usr/bin/env bash
# Installs what is missing, builds, then starts the wizard (run) or runs every test
# headless (test). Works as root and as a user with sudo.
set -euo pipefail
cd "$(dirname "$0")"

packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-webengine-dev libgl-dev libcups2-dev cups cups-client poppler-utils
          qt6-qpa-plugins fonts-dejavu-core fonts-liberation2 xvfb xauth clang libclang-rt-14-dev)

install_missing() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

build() {
    local preset=$1
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
}

case "${1:-}" in
run)
    install_missing
    build default
    exec build/default/app/QuorraWizard
    ;;
test)
    install_missing
    build default
    QT_QPA_PLATFORM=offscreen ctest --preset default
    # The same suite built with AddressSanitizer (leak checking on) and UBSan.
    build asan
    QT_QPA_PLATFORM=offscreen ctest --preset asan
    # A bounded run of every fuzz target (seconds per target).
    fuzz/run.sh "${QUORRA_FUZZ_SECONDS:-15}"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
