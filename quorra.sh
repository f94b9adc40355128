#!/usr/bin/env bash
# Installs what is missing, builds, then starts the wizard (run), runs every test headless
# (test) or builds a Debian package (package). Works as root and as a user with sudo.
#
# Each phase prints one line; everything the tools print goes to build/quorra-<command>.log.
set -euo pipefail
cd "$(dirname "$0")"

command=${1:-}
case "$command" in
run | test | package) ;;
*)
    echo "usage: $0 run|test|package" >&2
    exit 2
    ;;
esac

# What building and running the wizard and its viewer needs.
run_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-webengine-dev libcups2-dev fonts-dejavu-core
    fonts-liberation2)
# The sanitized suite and the fuzz targets (clang, its runtimes and the symbolizer that
# puts names into the sanitizers' reports), a printing system to test against and a reader
# of what it printed, a virtual display with a window manager, a typist for real key events
# and a reader of the window stack, and the desktop-file validators.
test_packages=(clang libclang-rt-14-dev llvm-14 cups cups-client poppler-utils xvfb xauth openbox xdotool
    x11-utils desktop-file-utils appstream)
# dpkg-shlibdeps finds the package's dependencies; CPack uses `file` to find the programs.
package_packages=(dpkg-dev file)

mkdir -p build
log=build/quorra-$command.log
: >"$log"

fail() {
    echo "failed: $1. The last lines of $log:" >&2
    tail -n 25 "$log" | sed 's/^/    /' >&2
    echo "The whole log: $log" >&2
    exit 1
}

# step DESCRIPTION COMMAND...: runs the command with its output in the log.
step() {
    local what=$1
    shift
    echo "== $what" >>"$log"
    "$@" >>"$log" 2>&1 || fail "$what"
}

install_missing() {
    local wanted=("$@") missing=() p
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    # sudo drops the environment, so the setting that keeps apt from asking goes through env.
    local as_root=(env DEBIAN_FRONTEND=noninteractive)
    [ "$(id -u)" -ne 0 ] && as_root=(sudo "${as_root[@]}")
    local apt=(apt-get -q -o Dpkg::Use-Pty=0 -o Dpkg::Options::=--force-confold --no-install-recommends)
    echo "Updating the package lists (log: $log)"
    step "updating the package lists" "${as_root[@]}" apt-get -q update
    # apt's own summary of the plan: how many packages and how much to download. With
    # --print-uris apt only lists what it would fetch.
    local plan
    plan=$("${as_root[@]}" "${apt[@]}" --print-uris install "${missing[@]}" </dev/null 2>>"$log" || true)
    echo "Installing ${missing[*]}: $(sed -n -e 's/^.* upgraded, \([0-9]*\) newly installed.*/\1 packages/p' \
        -e 's/^Need to get \(.*\) of archives\./, \1 to download/p' \
        -e 's/^After this operation, \(.*\) of additional disk space.*/, \1 on disk/p' <<<"$plan" | tr -d '\n')"
    step "installing ${missing[*]}" "${as_root[@]}" "${apt[@]}" -y install "${missing[@]}"
}

# build PRESET [TARGET...]: configures the preset's tree if needed and builds the targets
# (all when none are given).
build() {
    local preset=$1
    shift
    local targets=()
    [ $# -gt 0 ] && targets=(--target "$@")
    echo "Building ${*:-everything} in build/$preset"
    step "configuring build/$preset" cmake --preset "$preset"
    step "building build/$preset" cmake --build --preset "$preset" "${targets[@]}"
}

# run_tests PRESET [CTEST ARGS...]: runs the preset's tests; prints CTest's verdict.
run_tests() {
    local preset=$1
    shift
    echo "Testing in build/$preset"
    local status=0
    QT_QPA_PLATFORM=offscreen ctest --preset "$preset" "$@" >build/ctest-"$preset".log 2>&1 || status=$?
    cat build/ctest-"$preset".log >>"$log"
    grep -E '^[0-9]+% tests passed|^Total Test time|tests FAILED:|^[[:space:]]+[0-9]+ - ' build/ctest-"$preset".log || true
    [ "$status" -eq 0 ] || fail "tests in build/$preset (all output: build/ctest-$preset.log)"
}

# The programs, the application folder's files and the compressed manual page and changelog:
# everything `cmake --install` puts in place.
app_targets=(QuorraWizard PageViewer quorra_data quorra_docs)

case "$command" in
run)
    if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
        echo "The wizard is a desktop program and needs a desktop session, but neither DISPLAY nor" >&2
        echo "WAYLAND_DISPLAY is set. Run this from a terminal of your desktop, or try it on a" >&2
        echo "virtual display: xvfb-run -a ./quorra.sh run" >&2
        exit 1
    fi
    install_missing "${run_packages[@]}"
    build default "${app_targets[@]}"
    echo "Starting build/default/app/QuorraWizard"
    exec build/default/app/QuorraWizard
    ;;
test)
    install_missing "${run_packages[@]}" "${test_packages[@]}"
    # The whole suite and the fuzz targets share one clang tree with AddressSanitizer (leak
    # checking on) and UndefinedBehaviorSanitizer. The viewer test (the viewer, and every
    # theme's page against its golden copy and laid out) needs Qt WebEngine, which runs
    # unsanitized: it runs in the normal tree, beside the programs that `run` builds, with the
    # fuzz targets' corpora replayed by the normal compiler's build too, and the test on a real X
    # server (Xlib trips the sanitizer's strict string checks).
    build sanitize
    run_tests sanitize
    build default "${app_targets[@]}" tst_viewer tst_onscreen quorra_replay
    run_tests default -R '^(tst_viewer|tst_onscreen|replay_.*)$'
    # A bounded run of every fuzz target (seconds per target).
    echo "Fuzzing each target for ${QUORRA_FUZZ_SECONDS:-20} s"
    fuzz/run.sh "${QUORRA_FUZZ_SECONDS:-20}" >build/fuzz-run.log 2>&1 || {
        cat build/fuzz-run.log >>"$log"
        fail "fuzzing (all output: build/fuzz-run.log)"
    }
    grep -E '^fuzz_' build/fuzz-run.log | sed 's/^/    /'
    ;;
package)
    install_missing "${run_packages[@]}" "${package_packages[@]}"
    build package "${app_targets[@]}"
    echo "Packing the .deb"
    step "packing the .deb" cpack --config build/package/CPackConfig.cmake -B build/package
    deb=$(ls -t build/package/quorra-wizard_*.deb | head -n 1)
    echo "Built $deb; install it with: sudo apt-get install ./$deb"
    ;;
esac
