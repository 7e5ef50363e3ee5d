#!/usr/bin/env bash
# Builds the libFuzzer programs (clang, ASan + UBSan) in build-fuzz/ and runs each for a bounded
# time, starting from its seed corpus in fuzz/corpus/<target>/. The run works on a copy, so the
# tree is left as it was; a failure prints the input's path and the check's message.
#   TOOLTRAY_FUZZ_SECONDS   seconds per target (default 60)
#   fuzz.sh [target...]     only these (palette_calls raster_ops class_descriptions)
#   fuzz.sh --update-corpus ...   afterwards replace each seed corpus by the minimized union of it
#                                 and what the run found (then commit fuzz/corpus)
# Every failure found becomes a regression: put its input into fuzz/regressions/<target>/, where
# the replay test (fuzz_replay_tests, in every ordinary build) runs it from then on.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${TOOLTRAY_FUZZ_SECONDS:-60}
jobs=${JOBS:-2}
update=false
if [ "${1:-}" = --update-corpus ]; then
  update=true
  shift
fi
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(palette_calls raster_ops class_descriptions)
declare -A max_len=([palette_calls]=1024 [raster_ops]=1024 [class_descriptions]=512)

dir=build-fuzz
cmake -S . -B "$dir" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTOOLTRAY_FUZZ=ON -DTOOLTRAY_TESTS=OFF -DTOOLTRAY_BENCH=OFF \
  >/dev/null
cmake --build "$dir" -j"$jobs" --target "${targets[@]/#/fuzz_}"

# The fuzzers link the sanitizer runtime as a shared library after libstdc++, which does not
# replace malloc: ASan's order check would refuse that needlessly.
export ASAN_OPTIONS=verify_asan_link_order=0:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1
status=0
for t in "${targets[@]}"; do
  work=$dir/fuzz-work/$t
  artifacts=$dir/fuzz-artifacts/$t/
  rm -rf "$work" "$artifacts"
  mkdir -p "$work" "$artifacts"
  log=$dir/fuzz-work/$t.log
  if "$dir/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len="${max_len[$t]}" -timeout=20 \
       -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts" \
       "$work" "fuzz/corpus/$t" >"$log" 2>&1; then
    runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
    rate=$(awk '/stat::average_exec_per_sec/ { print $2 }' "$log")
    found=$(awk '/stat::new_units_added/ { print $2 }' "$log")
    echo "fuzz $t: $runs executions in ${seconds}s ($rate/s), $found new inputs, no failure"
  else
    status=1
    echo "fuzz $t: FAILED; the check's message and the sanitizer's report:"
    grep -E "check failed|ERROR: |runtime error|SUMMARY" "$log" | head -20 || true
    for input in "$artifacts"*; do
      [ -e "$input" ] && echo "  input: $input (copy it into fuzz/regressions/$t/)"
    done
    echo "  whole log: $log"
  fi
  if $update && [ $status -eq 0 ]; then
    merged=$(mktemp -d)
    # Edge coverage only: the tree keeps the inputs that reach new code, not new hit counts.
    "$dir/fuzz/fuzz_$t" -merge=1 -use_counters=0 -max_len="${max_len[$t]}" "$merged" \
      "fuzz/corpus/$t" "$work" \
      >"$dir/fuzz-work/$t.merge.log" 2>&1
    rm -f fuzz/corpus/"$t"/*
    mv "$merged"/* "fuzz/corpus/$t/"
    rmdir "$merged"
    echo "fuzz $t: corpus now $(ls "fuzz/corpus/$t" | wc -l) inputs"
  fi
done
exit $status
