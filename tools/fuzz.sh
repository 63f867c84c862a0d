#!/usr/bin/env bash
# Coverage-guided fuzzing of the game-data parsers with afl-fuzz (Debian package afl++).
#   tools/fuzz.sh [SECONDS] [TARGET...]   run each target (default: all) for SECONDS (default 600)
# Targets are fuzz/targets/NAME.cpp; seeds come from fuzz/corpus/NAME, findings go to
# $BUILD_DIR/findings/NAME (BUILD_DIR default build-fuzz). Prints executions, edges and map density
# per target; exits 1 when a target crashed or hung, naming the inputs to keep under fuzz/regressions.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-600}
shift || true
dir=${BUILD_DIR:-build-fuzz}

# Warnings are the other builds' concern: optimised sanitizer builds warn where plain ones do not.
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEL_FUZZ=ON -DZEL_SANITIZE=ON -DZEL_TESTS=OFF \
  -DZEL_BENCH=OFF -DZEL_WERROR=OFF >/dev/null
targets=("$@")
if ((${#targets[@]} == 0)); then
  for source in fuzz/targets/*Fuzz.cpp; do
    name=$(basename "$source" Fuzz.cpp)
    targets+=("${name,,}")
  done
fi
cmake --build "$dir" -j"$(nproc)" --target "${targets[@]/#/zel-fuzz-}"

# afl-fuzz checks the machine's core-dump and CPU settings, which a shared CI machine cannot change;
# the ASan options are the ones afl-fuzz needs to see a crash as a crash.
export AFL_SKIP_CPUFREQ=1 AFL_I_DONT_CARE_ABOUT_MISSING_CRASHES=1 AFL_NO_UI=1 AFL_NO_AFFINITY=1
export AFL_SKIP_CRASHES=1 AFL_QUIET=1
export ASAN_OPTIONS=abort_on_error=1:symbolize=0:detect_leaks=0:allocator_may_return_null=1:malloc_limit_mb=2048
export UBSAN_OPTIONS=halt_on_error=1:abort_on_error=1:print_stacktrace=1
failed=0
printf '%-10s %12s %8s %8s %8s %6s\n' target execs edges density crashes hangs
for name in "${targets[@]}"; do
  out="$dir/findings/$name"
  rm -rf "$out"
  mkdir -p "$out"
  nice -n 10 afl-fuzz -i "fuzz/corpus/$name" -o "$out" -V "$seconds" -t 2000 -m none \
    -- "$dir/fuzz/zel-fuzz-$name" >"$out/afl.log" 2>&1 || { echo "afl-fuzz failed for $name:"; tail -20 "$out/afl.log"; failed=1; continue; }
  stats="$out/default/fuzzer_stats"
  field() { sed -n "s/^$1 *: //p" "$stats"; }
  printf '%-10s %12s %8s %8s %8s %6s\n' "$name" "$(field execs_done)" "$(field edges_found)" \
    "$(field bitmap_cvg)" "$(field saved_crashes)" "$(field saved_hangs)"
  for found in "$out"/default/crashes/id:* "$out"/default/hangs/id:*; do
    [[ -e $found ]] || continue
    echo "  $name: $found"
    failed=1
  done
done
exit "$failed"
