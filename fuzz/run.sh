#!/bin/sh
# Builds the libFuzzer programs with clang (address and undefined-behaviour sanitizers,
# halting on the first error) in BUILD_DIR, reusing it, and runs each target for
# SECONDS on a fresh copy of its seed corpus. Fails when any target finds an input that
# crashes, leaks, times out or breaks one of its properties, and prints where the input
# lies and how to replay it without clang.
#
#   fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
#
# Targets: data_list semicolon text_import ini report_criteria handheld_names header_index
# journal wire
# (all when none is named).
set -eu

if [ $# -lt 2 ]; then
    echo "usage: $0 BUILD_DIR SECONDS [TARGET...]" >&2
    exit 2
fi
build=$1
seconds=$2
shift 2
source_dir=$(cd "$(dirname "$0")/.." && pwd)
targets=${*:-data_list semicolon text_import ini report_criteria handheld_names header_index journal wire}
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

cmake -S "$source_dir" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DZVK_CORE_ONLY=ON -DZVK_FUZZ=ON -DZVK_FUZZ_REPLAY=OFF \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link $sanitizers" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
build_targets=""
for target in $targets; do
    build_targets="$build_targets fuzz_$target"
done
# shellcheck disable=SC2086 # one argument per target
cmake --build "$build" -j 2 --target $build_targets

# The targets that take files write every input into a scratch folder: on a memory
# file system when there is one, where the syncs of whole-file writes cost nothing.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    TMPDIR=$(mktemp -d /dev/shm/zvk-fuzz.XXXXXX)
    export TMPDIR
    trap 'rm -rf "$TMPDIR"' EXIT
fi
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
failed=""
for target in $targets; do
    work="$build/fuzz-runs/$target"
    rm -rf "$work"
    mkdir -p "$work/artifacts"
    cp -R "$source_dir/fuzz/corpus/$target" "$work/corpus"
    echo "fuzzing $target for $seconds s"
    if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$work/artifacts/" "$work/corpus" \
        >"$work/log" 2>&1; then
        grep -E '^stat::number_of_executed_units' "$work/log" || true
    else
        failed="$failed $target"
        tail -n 40 "$work/log"
        for input in "$work"/artifacts/*; do
            [ -e "$input" ] || continue
            echo "$target: reproducer $input"
            echo "  replay: build/fuzz/fuzz_$target $input (plain build) or $build/fuzz/fuzz_$target $input"
        done
        echo "$target: log $work/log"
    fi
done

if [ -n "$failed" ]; then
    echo "fuzzing found faults in:$failed" >&2
    exit 1
fi
echo "fuzzing found nothing in: $targets"
