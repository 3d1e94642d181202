#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for FUZZ_SECONDS
# (default 30), as many at once as there are cores, from a copy of its checked-in corpus
# under fuzz/corpus/<target>/.
# Exits non-zero when a target crashes or a property fails; the input that did it is kept
# in build-fuzz/artifacts/.
#   scripts/fuzz.sh [target...]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-fuzz
seconds="${FUZZ_SECONDS:-30}"
targets=("$@")
if ((${#targets[@]} == 0)); then
  targets=(fuzz_classify fuzz_container fuzz_relocation fuzz_prg3text fuzz_strtoint fuzz_hostframes)
fi

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKIV_FUZZ=ON -DKIV_WERROR=ON >/dev/null
cmake --build "$build" --target "${targets[@]}" -j "$(nproc)"

# One fuzzer per core at a time: each runs for its own time, so this halves the wait.
run() {
  local target="$1" corpus="$build/corpus-run/$1" artifacts="$build/artifacts/$1/"
  rm -rf "$corpus"
  mkdir -p "$corpus" "$artifacts"
  cp fuzz/corpus/"$target"/* "$corpus"/
  "$build/bin/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$artifacts" "$corpus" >"$build/$target.log" 2>&1
}

failed=()
jobs_at_once="$(nproc)"
for ((first = 0; first < ${#targets[@]}; first += jobs_at_once)); do
  batch=("${targets[@]:first:jobs_at_once}")
  echo "== ${batch[*]}: ${seconds}s"
  pids=()
  for target in "${batch[@]}"; do
    run "$target" &
    pids+=($!)
  done
  for index in "${!batch[@]}"; do
    target="${batch[$index]}"
    if ! wait "${pids[$index]}"; then
      tail -n 40 "$build/$target.log"
      failed+=("$target")
    else
      echo "$target: $(grep -E '^stat::number_of_executed_units' "$build/$target.log" || true)"
    fi
  done
done

if ((${#failed[@]})); then
  echo "Fuzzing failed: ${failed[*]} (inputs in $build/artifacts/)"
  exit 1
fi
echo "Fuzzing passed: ${targets[*]}"
