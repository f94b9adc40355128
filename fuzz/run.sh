#!/usr/bin/env bash
# Builds the fuzz targets (preset "sanitize") and fuzzes each for a bounded time on a copy of
# its corpus and its earlier findings (which CTest also replays on every test run).
#
#   fuzz/run.sh [SECONDS] [TARGET...]
#
# SECONDS per target: the first argument, else $FUZZ_SECONDS, else 15. Each run writes to
# build/sanitize/runs/<target>/: the grown corpus, fuzz.log and, under findings/, every input
# that broke a law or tripped a sanitizer. Exits 1 when any target failed.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${FUZZ_SECONDS:-15}
[[ ${1:-} =~ ^[0-9]+$ ]] && seconds=$1 && shift
[ $# -eq 0 ] && set -- fuzz_text fuzz_template
[ -f build/sanitize/build.ninja ] || cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --target "$@"
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-/usr/lib/llvm-14/bin/llvm-symbolizer}
failed=0
for t in "$@"; do
    run=$PWD/build/sanitize/runs/$t
    rm -rf "$run" && mkdir -p "$run/corpus" "$run/findings"
    cp fuzz/corpus/"$t"/* fuzz/crash-findings/"$t"/* "$run/corpus/" 2>/dev/null || true
    # -fork with -ignore_crashes: a finding does not end the run, so one cannot hide others.
    if (cd "$run" && ../../fuzz/"$t" -fork=1 -ignore_crashes=1 -max_total_time="$seconds" -timeout=30 \
        -rss_limit_mb=2048 -artifact_prefix=findings/ corpus >fuzz.log 2>&1) && [ -z "$(ls "$run/findings")" ]; then
        echo "$t: ok $(grep -E '^#[0-9]+: cov:' "$run/fuzz.log" | tail -1 | cut -d' ' -f1-3 || true)"
    else
        failed=1
        echo "$t: FAILED, $(grep -m1 -E 'PROPERTY VIOLATED|ERROR: |runtime error:' "$run/fuzz.log" || true) (${run#"$PWD"/})"
    fi
done
exit $failed
