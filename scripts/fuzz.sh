#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each one for a fixed time
# (CALVETRA_FUZZ_TIME seconds, 20 by default) from the committed corpus in fuzz/corpus.
# Fails when a target crashes, leaks or breaks one of its checks; the input that did it is
# left in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${CALVETRA_FUZZ_BUILD:-build-fuzz}
seconds=${CALVETRA_FUZZ_TIME:-20}
targets=(fuzz_records fuzz_ini fuzz_password fuzz_amount fuzz_date fuzz_search)

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCALVETRA_FUZZ=ON \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
mkdir -p "$build/findings"
status=0
for t in "${targets[@]}"; do
  # New inputs go to the build folder; the committed corpus is only read.
  work="$build/corpus/$t"
  mkdir -p "$work"
  echo "== $t (${seconds}s)"
  if ! "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$build/findings/$t-" -print_final_stats=1 \
      "$work" "fuzz/corpus/$t" >"$build/$t.log" 2>&1; then
    echo "!! $t failed; see $build/$t.log and $build/findings/" >&2
    tail -n 40 "$build/$t.log" >&2
    status=1
  fi
  grep -E "stat::number_of_executed_units|stat::peak_rss_mb" "$build/$t.log" | sed 's/^/   /' || true
done
exit $status
