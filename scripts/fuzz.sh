#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer programs with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs each for SECONDS (default 600), as
# many at a time as there are processors.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# Each target starts from its stored corpus (fuzz/corpus/NAME), the outside
# files in ../shared/testdata when present, and for the notebook-fed targets
# a few generated notebooks. Work corpora, logs and findings go to
# build-fuzz/. A finding (crash, broken promise, leak, timeout, memory
# blow-up) is left in build-fuzz/findings/NAME/; once fixed it belongs in
# fuzz/regression/NAME/, which the ordinary test suite replays.
# With KELTO_FUZZ_STORE=1 each work corpus is merged back into
# fuzz/corpus/NAME (kept small: only inputs that add coverage).
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=600
if [[ $# -gt 0 && $1 =~ ^[0-9]+$ ]]; then
    seconds=$1
    shift
fi
all=(notebook_reader outline_reader settings_reader templates_reader treepad_import
    text_import text_export html_export)
targets=("${@:-${all[@]}}")

if ! command -v clang++ >/dev/null; then
    if [[ $(id -u) -eq 0 ]]; then
        apt-get update
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends clang
    else
        echo "fuzz.sh needs clang (Debian package clang)" >&2
        exit 2
    fi
fi

out=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$out" -G Ninja -DKELTO_FUZZ=ON -DKELTO_BUILD_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    >/dev/null
cmake --build "$out" --target "${targets[@]/#/fuzz_}" kelto_bench

# Generated notebooks for the targets that read notebooks.
generated="$out/generated"
mkdir -p "$generated"
for n in 3 20; do
    [[ -f $generated/gen$n.nib ]] ||
        "$out/bench/kelto_bench" --generate "$generated/gen$n.nib" --sections $n --bytes $((n * 300)) >/dev/null
done

run_one() {
    local name=$1
    local work="$out/work/$name" findings="$out/findings/$name"
    mkdir -p "$work" "$findings" "$out/logs"
    local seeds=("fuzz/corpus/$name")
    [[ -d fuzz/regression/$name ]] && seeds+=("fuzz/regression/$name")
    case $name in
        notebook_reader | text_export | html_export) seeds+=("$generated") ;;
        treepad_import | text_import) [[ -d ../shared/testdata/treepad ]] && seeds+=(../shared/testdata/treepad) ;;
    esac
    ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
        "$out/fuzz/fuzz_$name" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
        -max_len=16384 -print_final_stats=1 -artifact_prefix="$findings/" \
        "$work" "${seeds[@]}" >"$out/logs/$name.log" 2>&1 || true
    if [[ ${KELTO_FUZZ_STORE:-0} == 1 ]]; then
        mkdir -p "fuzz/corpus/$name.new"
        "$out/fuzz/fuzz_$name" -merge=1 "fuzz/corpus/$name.new" "fuzz/corpus/$name" "$work" \
            >>"$out/logs/$name.log" 2>&1
        rm -rf "fuzz/corpus/$name" && mv "fuzz/corpus/$name.new" "fuzz/corpus/$name"
    fi
}

jobs=$(nproc)
for name in "${targets[@]}"; do
    while [[ $(jobs -rp | wc -l) -ge $jobs ]]; do
        wait -n || true
    done
    echo "fuzzing $name for $seconds s"
    run_one "$name" &
done
wait

status=0
printf '%-18s %12s %8s %8s %9s\n' target executions cov ft findings
for name in "${targets[@]}"; do
    log="$out/logs/$name.log"
    execs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
    found=$(find "$out/findings/$name" -type f | wc -l)
    printf '%-18s %12s %8s %8s %9s\n' "$name" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$found"
    [[ $found -eq 0 ]] || status=1
done
exit $status
