#!/usr/bin/env bash
# Builds the fuzz targets (preset "sanitize", in build/sanitize) and runs each one for a bounded
# time on a copy of its seed corpus.
#
#   fuzz/run.sh [SECONDS] [TARGET...]
#
# SECONDS is the fuzzing time per target: the first argument, else $FUZZ_SECONDS, else 15.
# 0 only replays the seed corpus and the known findings. TARGET defaults to every target.
#
# Each target first replays its seeds (fuzz/corpus/<target>/) and the inputs of earlier
# findings (fuzz/crash-findings/<target>/), then fuzzes. Everything a run writes goes to
# build/sanitize/runs/<target>/: the growing corpus, the log, and under findings/ every input
# that broke a property or tripped a sanitizer. The repository itself stays untouched.
#
# Exits 1 when any target failed, 0 when none did.
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
if [ ! -f "$build/build.ninja" ]; then
    cmake --preset sanitize >/dev/null
fi
cmake --build --preset sanitize --target "${targets[@]}"

# Sanitizer reports end the run; UBSan's come with a stack.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=0:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export ASAN_SYMBOLIZER_PATH=${ASAN_SYMBOLIZER_PATH:-/usr/lib/llvm-14/bin/llvm-symbolizer}
export QT_QPA_PLATFORM=offscreen

# The first line of a failure report: the violated property or the sanitizer's verdict.
verdict() {
    grep -m1 -E 'PROPERTY VIOLATED|ERROR: (Address|Leak|UndefinedBehavior)Sanitizer|runtime error:|ERROR: libFuzzer|SUMMARY: libFuzzer' "$1" ||
        echo "failed (see $1)"
}

failed=()
summary=()
for t in "${targets[@]}"; do
    bin=$build/fuzz/$t
    run=$build/runs/$t
    rm -rf "$run"
    mkdir -p "$run/corpus" "$run/findings" "$run/tmp"
    cp -R "$here/corpus/$t/." "$run/corpus/"
    known=()
    if [ -d "$here/crash-findings/$t" ]; then
        while IFS= read -r -d '' f; do known+=("$f"); done \
            < <(find "$here/crash-findings/$t" -type f ! -name '*.md' -print0 | sort -z)
    fi

    echo "== $t: replaying $(find "$run/corpus" -type f | wc -l) seeds and ${#known[@]} known findings"
    bad=0
    while IFS= read -r -d '' f; do
        if ! "$bin" "$f" >"$run/replay.log" 2>&1; then
            bad=1
            cp "$f" "$run/findings/"
            echo "   FAILS: ${f#"$root"/}: $(verdict "$run/replay.log")"
        fi
    done < <(
        find "$run/corpus" -type f -print0 | sort -z
        if [ ${#known[@]} -gt 0 ]; then printf '%s\0' "${known[@]}"; fi
    )

    status=0
    if [ "$seconds" -gt 0 ]; then
        echo "== $t: fuzzing for ${seconds}s"
        # -fork with -ignore_crashes: a finding does not end the run, so one known failure
        # cannot hide the others; every finding lands in findings/.
        (cd "$run" && TMPDIR="$run/tmp" "$bin" -fork=1 -ignore_crashes=1 -max_total_time="$seconds" \
            -timeout=30 -rss_limit_mb=2048 -artifact_prefix="$run/findings/" -print_final_stats=1 \
            "$run/corpus" >"$run/fuzz.log" 2>&1) || status=$?
        grep -E '^#[0-9]+: cov:' "$run/fuzz.log" | tail -1 | sed 's/^/   /' || true
    fi

    findings=$(find "$run/findings" -type f | wc -l)
    if [ "$bad" -ne 0 ] || [ "$status" -ne 0 ] || [ "$findings" -gt 0 ]; then
        failed+=("$t")
        summary+=("$t: FAILED ($findings failing inputs in ${run#"$root"/}/findings/)")
        # One line per distinct failure, with an input that shows it.
        declare -A seen=()
        while IFS= read -r -d '' f; do
            "$bin" "$f" >"$run/finding.log" 2>&1 || true
            v=$(verdict "$run/finding.log")
            if [ -z "${seen[$v]:-}" ]; then
                seen[$v]=1
                echo "   $v"
                echo "      input: ${f#"$root"/}"
            fi
        done < <(find "$run/findings" -type f -print0 | sort -z)
        unset seen
        [ "$findings" -eq 0 ] && echo "   libFuzzer exited with $status (see ${run#"$root"/}/fuzz.log)"
    else
        summary+=("$t: ok")
    fi
    rm -rf "$run/tmp"
done

echo
echo "== summary (${seconds}s per target)"
printf '   %s\n' "${summary[@]}"
[ ${#failed[@]} -eq 0 ]
