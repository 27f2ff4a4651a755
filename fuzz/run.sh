#!/usr/bin/env bash
# Builds every libFuzzer target with clang and runs each for a bounded time on a copy of its seed
# corpus, so the seeds in the tree stay as they are. Inputs that crash land in fuzz/findings/<name>/.
# Usage: fuzz/run.sh [seconds per target, default 60] [target names, default all]
#   fuzz/run.sh 600 export_writers
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift $(( $# > 0 ? 1 : 0 ))
build=build/fuzz

# The libraries under test need coverage and the sanitizers too, not only the target's own file.
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELDRAN_BUILD_BENCH=OFF -DVELDRAN_SANITIZE=ON -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
mapfile -t targets < <(cmake --build "$build" --target help | sed -n 's/^\([A-Za-z0-9_]*_fuzzer\): .*/\1/p' | sort -u)
if [ $# -gt 0 ]; then
  targets=("${@/%/_fuzzer}")
fi
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets (is the compiler clang?)" >&2
  exit 1
fi

failed=0
for target in "${targets[@]}"; do
  name=${target%_fuzzer}
  if ! cmake --build "$build" --target "$target" >"$build/$name.build.log" 2>&1; then
    echo "$name: BUILD FAILED (log: $build/$name.build.log)"
    failed=1
    continue
  fi
  binary=$(find "$build" -type f -name "$target" -perm -u+x | head -n 1)
  work="$build/corpus/$name"
  findings="fuzz/findings/$name"
  rm -rf "$work"
  mkdir -p "$work" "$findings"
  [ -d "fuzz/corpus/$name" ] && cp -r "fuzz/corpus/$name/." "$work/"
  log="$build/$name.log"
  echo "== $name: ${seconds}s"
  if "$binary" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/" "$work" >"$log" 2>&1; then
    result=ok
  else
    result=FAILED
    failed=1
  fi
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "$name: $result, ${execs:-?} executions, corpus $(ls "$work" | wc -l) files (log: $log)"
done
exit $failed
