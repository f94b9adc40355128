#!/usr/bin/env bash
# Builds the fuzz targets (preset "sanitize", in build/sanitize) and fuzzes each for a bounded
# time on a copy of its corpus and its earlier findings. (CTest replays both on every test
# run: the replay_<target> tests.)
#
#   fuzz/run.sh [SECONDS] [TARGET...]
#
# SECONDS is the fuzzing time per target: the first argument, else $FUZZ_SECONDS, else 15;
# 0 only runs the corpus once. TARGET defaults to every target. Everything a run writes goes
# to build/sanitize/runs/<target>/: the growing corpus, the log, and under findings/ every
# input that broke a law or tripped a sanitizer. Exits 1 when any target failed.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(dirname "$here")
build=$root/build/sanitize
all_targets=(fuzz_fieldreader fuzz_template fuzz_cp1252 fuzz_amount fuzz_pagefile fuzz_fragments fuzz_despatch)

seconds=${FUZZ_SECONDS:-15}
if [ $# -gt 0 ] && [[ $1 =~ ^[0-9]+$ ]]; then
    seconds=$1
    shift
fi
if ! [[ $seconds =~ ^[0-9]+$ ]]; then
    echo "usage: $0 [SECONDS] [TARGET...]   (SECONDS: a whole number, got \"$seconds\")" >&2
    exit 2
fi
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all_targets[@]}")
for t in "${targets[@]}"; do
    if [ ! -f "$here/$t.cpp" ]; then
        echo "unknown target \"$t\"; the targets are: ${all_targets[*]}" >&2
        exit 2
    fi
done

cd "$root"
[ -f "$build/build.ninja" ] || cmake --preset sanitize >/dev/null
cmake --build --preset sanitize --target "${targets[@]}"

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-/usr/lib/llvm-14/bin/llvm-symbolizer}

failed=0
summary=()
for t in "${targets[@]}"; do
    run=$build/runs/$t
    rm -rf "$run"
    mkdir -p "$run/corpus" "$run/findings" "$run/tmp"
    cp -R "$here/corpus/$t/." "$run/corpus/"
    if [ -d "$here/crash-findings/$t" ]; then
        find "$here/crash-findings/$t" -type f ! -name '*.md' -exec cp {} "$run/corpus/" \;
    fi
    # -fork with -ignore_crashes: a finding does not end the run, so one cannot hide others.
    limit=(-fork=1 -ignore_crashes=1 -max_total_time="$seconds")
    [ "$seconds" -eq 0 ] && limit=(-runs=0)
    echo "== $t"
    status=0
    (cd "$run" && TMPDIR="$run/tmp" "$build/fuzz/$t" "${limit[@]}" -timeout=30 -rss_limit_mb=2048 \
        -artifact_prefix="$run/findings/" -print_final_stats=1 "$run/corpus" >"$run/fuzz.log" 2>&1) || status=$?
    findings=$(find "$run/findings" -type f | wc -l)
    if [ "$status" -ne 0 ] || [ "$findings" -gt 0 ]; then
        failed=1
        verdict=$(grep -m1 -E 'PROPERTY VIOLATED|ERROR: (Address|Leak|UndefinedBehavior)Sanitizer|runtime error:|ERROR: libFuzzer' \
            "$run/fuzz.log" || echo "libFuzzer exited with $status")
        summary+=("$t: FAILED, $verdict ($findings inputs in ${run#"$root"/}/findings/, log: fuzz.log)")
    else
        summary+=("$t: ok $(grep -E '^#[0-9]+: cov:' "$run/fuzz.log" | tail -1 | cut -d' ' -f1-3 || true)")
    fi
    rm -rf "$run/tmp"
done

echo
echo "== summary (${seconds}s per target)"
printf '   %s\n' "${summary[@]}"
exit $failed
