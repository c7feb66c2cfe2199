#!/usr/bin/env bash
# Runs every libFuzzer harness for a bounded time, one after the other.
#
#   fuzz/run.sh [SECONDS_PER_HARNESS] [HARNESS...]
#
# SECONDS_PER_HARNESS defaults to 60 (CI); a campaign is `fuzz/run.sh 1800`.
# Builds the harnesses first in $KORACORE_FUZZ_BUILD (default build-fuzz,
# configured with clang and -DKORACORE_FUZZ=ON). Each harness starts from its
# committed seeds and the regression inputs, grows a scratch corpus under
# the build folder (the committed corpus is never written), and leaves any
# crashing input in <build>/fuzz-artifacts/<harness>/. The script fails when
# any harness found something in this run.
#
# Runs are repeatable: the random seed is 1 unless KORACORE_FUZZ_SEED says
# otherwise, and the sanitizer options are set here rather than taken from
# the environment, so that options an earlier step exported (a leak check
# turned off, errors that do not halt) cannot change what counts as a
# finding. Extra options go in KORACORE_FUZZ_ASAN_OPTIONS, appended last.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="${KORACORE_FUZZ_BUILD:-$root/build-fuzz}"
harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  harnesses=(kfs_container dfs_reader dfs_editor rcf_parser qty_expression kvcart_wkt text_date xfs_table kfs_legacy qty_unit_table kvcart_definitions kvcart_proj4)
fi

if [ ! -f "$build/CMakeCache.txt" ]; then
  # The default generator: a fresh machine with the README's packages has
  # make, not necessarily Ninja.
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKORACORE_FUZZ=ON -DKORACORE_BUILD_TESTS=OFF -DKORACORE_BUILD_BENCH=OFF
fi
cmake --build "$build" -j"$(nproc)" --target "${harnesses[@]/#/fuzz_}"

seed="${KORACORE_FUZZ_SEED:-1}"
# A smaller quarantine than the default 256 MiB: what a harness frees is
# held there, and a full default quarantine (about 550 MiB of resident
# memory) hides any real growth under the -rss_limit_mb check.
asan="detect_leaks=1:abort_on_error=1:allocator_may_return_null=1:quarantine_size_mb=64"
export ASAN_OPTIONS="$asan${KORACORE_FUZZ_ASAN_OPTIONS:+:$KORACORE_FUZZ_ASAN_OPTIONS}"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
unset LSAN_OPTIONS ASAN_SYMBOLIZER_PATH
# Harnesses that need files write them here; a crash leaves them behind.
export TMPDIR="$build/fuzz-tmp"
mkdir -p "$TMPDIR"
failed=()
for harness in "${harnesses[@]}"; do
  work="$build/fuzz-corpus/$harness"
  artifacts="$build/fuzz-artifacts/$harness"
  mkdir -p "$work" "$artifacts"
  stamp="$build/fuzz-$harness.started"
  touch "$stamp"
  inputs=("$work" "$root/fuzz/corpus/$harness")
  [ -d "$root/tests/data/fuzz/$harness" ] && inputs+=("$root/tests/data/fuzz/$harness")
  echo "=== $harness: ${seconds}s ==="
  # -rss_limit_mb: a reader must not allocate far beyond what its input holds.
  set +e
  nice "$build/bin/fuzz_$harness" -seed="$seed" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=1024 -max_len=65536 -print_final_stats=1 \
    -dict="$root/fuzz/dict/$harness.dict" -artifact_prefix="$artifacts/" "${inputs[@]}" \
    >"$build/fuzz-$harness.log" 2>&1
  status=$?
  set -e
  grep -E '^#[0-9]+[[:space:]]+(INITED|DONE)|ERROR|SUMMARY|stat::number_of_executed_units|stat::peak_rss_mb' \
    "$build/fuzz-$harness.log" || true
  # Findings of earlier runs stay for their owner to look at; only what
  # this run left counts against it.
  if [ "$status" -ne 0 ] || [ -n "$(find "$artifacts" -type f -newer "$stamp")" ]; then
    failed+=("$harness")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "findings in: ${failed[*]} (inputs under $build/fuzz-artifacts/)" >&2
  exit 1
fi
