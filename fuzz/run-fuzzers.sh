#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 60), starting from its seed corpus. New inputs go to build/fuzz/corpus-*;
# findings (crash-*, leak-*, timeout-*) to build/fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("${@:-archive string_table ini registry results_log top_ten last_user exercise lines bitmap_font html image}")
# shellcheck disable=SC2206
targets=(${targets[*]})

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUOLI_FUZZ=ON \
  -DQUOLI_STAGE_DIR="$PWD/build/fuzz/game" >/dev/null
cmake --build build/fuzz -j"$(nproc)" --target $(printf '%s_fuzz ' "${targets[@]}")

mkdir -p build/fuzz/findings
for t in "${targets[@]}"; do
  work="build/fuzz/corpus-$t"
  mkdir -p "$work"
  echo "== $t for ${seconds}s"
  build/fuzz/fuzz/"${t}_fuzz" "$work" "fuzz/corpus/$t" -max_total_time="$seconds" \
    -artifact_prefix=build/fuzz/findings/"$t"- -print_final_stats=1 2>&1 |
    grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|ERROR|SUMMARY|Done' || true
done
