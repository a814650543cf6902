#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for SECONDS (default
# 60), starting from its seed corpus. New inputs go to build/fuzz/corpus-*;
# findings (crash-*, leak-*, timeout-*, oom-*) to build/fuzz/findings/, each
# run's whole output to build/fuzz/logs/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."
# shellcheck source=../scripts/packages.sh
. scripts/packages.sh
ensure_packages $quoli_fuzz_packages
seconds="${1:-60}"
shift || true
targets=("${@:-archive string_table ini registry results_log top_ten last_user exercise lines bitmap_font html image sound_effect music}")
# shellcheck disable=SC2206
targets=(${targets[*]})

CC=clang CXX=clang++ cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUOLI_FUZZ=ON \
  -DQUOLI_STAGE_DIR="$PWD/build/fuzz/game" >/dev/null
jobs=$(nproc)
[ "$jobs" -le 2 ] || jobs=2
cmake --build build/fuzz -j"$jobs" --target $(printf '%s_fuzz ' "${targets[@]}")

mkdir -p build/fuzz/findings build/fuzz/logs
final() { sed -n "s/^stat::$1: *//p" "$2" | tail -1; }
for t in "${targets[@]}"; do
  work="build/fuzz/corpus-$t"
  log="build/fuzz/logs/$t.log"
  mkdir -p "$work"
  found_before=$(find build/fuzz/findings -name "$t-*" | wc -l)
  echo "== $t for ${seconds}s (log: $log)"
  build/fuzz/fuzz/"${t}_fuzz" "$work" "fuzz/corpus/$t" -max_total_time="$seconds" \
    -artifact_prefix=build/fuzz/findings/"$t"- -print_final_stats=1 >"$log" 2>&1 || true
  first=$(grep -m1 INITED "$log" || true)
  last=$(grep -E '^#[0-9]+' "$log" | tail -1 || true)
  echo "$t: runs $(final number_of_executed_units "$log"), $(final average_exec_per_sec "$log")/s," \
    "corpus $(grep -oE 'corp: [0-9]+' <<<"$first" || echo '?') -> $(grep -oE 'corp: [0-9]+' <<<"$last" || echo '?')," \
    "$(grep -oE 'cov: [0-9]+ ft: [0-9]+' <<<"$last" || echo 'no coverage line')," \
    "findings $(($(find build/fuzz/findings -name "$t-*" | wc -l) - found_before))"
  grep -E '^(==[0-9]+==ERROR|SUMMARY)' "$log" || true
done
