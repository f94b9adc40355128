#!/usr/bin/env bash
# Builds the fuzz targets (preset "sanitize") and fuzzes each for a bounded time on a copy of
# its corpus and its earlier findings (which CTest also replays on every test run).
#
#   fuzz/run.sh [SECONDS] [TARGET...]
#
# SECONDS per target: the first argument, else $FUZZ_SECONDS, else 15; 0 runs the corpus once.
# Each run writes to build/sanitize/runs/<target>/: the grown corpus, fuzz.log and, under
# findings/, every input that broke a law or tripped a sanitizer. Exits 1 when any failed.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cd "$here/.."
seconds=${FUZZ_SECONDS:-15}
[[ ${1:-} =~ ^[0-9]+$ ]] && seconds=$1 && shift
targets=("$@")
[ $# -eq 0 ] && targets=(fuzz_text fuzz_template)
[ -f build/sanitize/build.ninja ] || cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1} UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-/usr/lib/llvm-14/bin/llvm-symbolizer}
failed=0
for t in "${targets[@]}"; do
    run=$PWD/build/sanitize/runs/$t
    rm -rf "$run" && mkdir -p "$run/corpus" "$run/findings" "$run/tmp"
    find "$here/corpus/$t" "$here/crash-findings/$t" -type f ! -name '*.md' -exec cp {} "$run/corpus/" \; 2>/dev/null || true
    limit=(-fork=1 -ignore_crashes=1 -max_total_time="$seconds") # a finding does not end the run
    [ "$seconds" -eq 0 ] && limit=(-runs=0)
    status=0
    (cd "$run" && TMPDIR="$run/tmp" "../../fuzz/$t" "${limit[@]}" -timeout=30 -rss_limit_mb=2048 \
        -artifact_prefix="$run/findings/" "$run/corpus" >"$run/fuzz.log" 2>&1) || status=$?
    if [ "$status" -ne 0 ] || [ -n "$(ls "$run/findings")" ]; then
        failed=1
        echo "$t: FAILED, $(grep -m1 -E 'PROPERTY VIOLATED|ERROR: |runtime error:' "$run/fuzz.log" || echo "exit $status") (${run#"$PWD"/})"
    else
        echo "$t: ok $(grep -E '^#[0-9]+: cov:' "$run/fuzz.log" | tail -1 | cut -d' ' -f1-3 || true)"
    fi
done
exit $failed
