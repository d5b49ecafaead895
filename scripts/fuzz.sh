#!/usr/bin/env bash
# scripts/fuzz.sh [SECONDS] [TARGET ...]
# Builds the libFuzzer targets (fuzz/) with clang in build-fuzz/ and runs each for SECONDS
# (default 60), two at a time, starting from fuzz/corpus/<target>/ with fuzz/dict/<target>.dict.
# What a run finds that adds coverage is merged back into fuzz/corpus/<target>/ (libFuzzer's
# -merge=1: only inputs that reach something the corpus does not yet reach are added), so each
# run starts where the last one ended; FUZZ_MERGE=0 leaves the corpus as it is. Any finding (crash, sanitizer report,
# leak, time-out, memory exhaustion) fails the script, which prints the reproducer and the
# command that replays it. Prints executions and coverage per target, and adds each run's
# executions to fuzz/executions.tsv, the running total per target across runs.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
[ $# -gt 0 ] && shift
all=(answer http proxy bmp jpeg png skin skinini preset credentials numbers stringlist)
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=("${all[@]}")
build=${FUZZ_BUILD:-build-fuzz}
jobs=${FUZZ_JOBS:-2}

scripts/install-deps.sh --fuzz
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
if [ ! -f "$build/CMakeCache.txt" ]; then
    CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBRELVAN_FUZZ=ON "${launcher[@]}" >/dev/null
fi
# Programs the build runs (the picture generators) are built with the sanitizers too; their
# exit-time leaks are no finding.
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" -j "$jobs" --target fuzzers

runs="$build/runs"
mkdir -p "$runs"

run_one() {
    local target=$1 dir="$runs/$1"
    rm -rf "$dir/findings"
    mkdir -p "$dir/corpus" "$dir/findings"
    local dict=()
    [ -f "fuzz/dict/$target.dict" ] && dict=(-dict="fuzz/dict/$target.dict")
    "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$dir/findings/" "${dict[@]}" \
        "$dir/corpus" "fuzz/corpus/$target" >"$dir/log" 2>&1 || true
    # An input that crashes never reaches the run's corpus, so what is merged is sound.
    if [ "$merge" = 1 ] && [ -n "$(ls -A "$dir/corpus")" ]; then
        local before after
        before=$(ls "fuzz/corpus/$target" | wc -l)
        "$build/fuzz/fuzz_$target" -merge=1 -timeout=30 -rss_limit_mb=2048 \
            "fuzz/corpus/$target" "$dir/corpus" >"$dir/merge.log" 2>&1 || true
        after=$(ls "fuzz/corpus/$target" | wc -l)
        echo "$((after - before))" >"$dir/added"
        rm -rf "$dir/corpus"
    else
        echo 0 >"$dir/added"
    fi
}
export -f run_one
merge=${FUZZ_MERGE:-1}
export build runs seconds merge

printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_one {}'

tally=fuzz/executions.tsv
[ -f "$tally" ] || printf 'target\ttotal_executions\n' >"$tally"
add_to_tally() {
    awk -F'\t' -v OFS='\t' -v t="$1" -v n="$2" '
        NR == 1 { print; next }
        $1 == t { $2 += n; found = 1 }
        { print }
        END { if (!found) print t, n }' "$tally" >"$tally.new" && mv "$tally.new" "$tally"
}
total_of() { awk -F'\t' -v t="$1" '$1 == t { print $2 }' "$tally"; }

failed=0
printf '%-12s %14s %10s %8s %8s %8s %14s\n' target executions per-second coverage features added total
for target in "${targets[@]}"; do
    dir="$runs/$target"
    execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$dir/log" | tail -1 | grep -o '[0-9]*$' || true)
    status=$(grep -E '^#[0-9]+' "$dir/log" | grep -o 'cov: [0-9]* ft: [0-9]*' | tail -1 || true)
    cov=$(echo "$status" | awk '{print $2}')
    ft=$(echo "$status" | awk '{print $4}')
    rate=$(grep -o 'stat::average_exec_per_sec: *[0-9]*' "$dir/log" | tail -1 | grep -o '[0-9]*$' || true)
    added=$(cat "$dir/added" 2>/dev/null || echo 0)
    [ -n "$execs" ] && add_to_tally "$target" "$execs"
    printf '%-12s %14s %10s %8s %8s %8s %14s\n' "$target" "${execs:-?}" "${rate:-?}" "${cov:-?}" \
        "${ft:-?}" "$added" "$(total_of "$target")"
    for finding in "$dir"/findings/*; do
        [ -e "$finding" ] || continue
        failed=1
        echo "FINDING in $target: $finding"
        echo "  replay: $build/fuzz/fuzz_$target $finding"
        grep -m1 -E 'ERROR|==[0-9]+==|what\(\)|runtime error' "$dir/log" | sed 's/^/  /' || true
    done
    if [ -z "$execs" ] && ! ls "$dir"/findings/* >/dev/null 2>&1; then
        failed=1
        echo "FAILED to run $target; see $dir/log"
        tail -5 "$dir/log" | sed 's/^/  /'
    fi
done
exit $failed
