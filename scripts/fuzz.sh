#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each for FUZZ_SECONDS
# (default 30) from a copy of its checked-in corpus under fuzz/corpus/<target>/.
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

failed=()
for target in "${targets[@]}"; do
  corpus="$build/corpus-run/$target"
  artifacts="$build/artifacts/$target/"
  rm -rf "$corpus"
  mkdir -p "$corpus" "$artifacts"
  cp fuzz/corpus/"$target"/* "$corpus"/
  echo "== $target: ${seconds}s"
  if ! "$build/bin/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$artifacts" "$corpus" >"$build/$target.log" 2>&1; then
    tail -n 40 "$build/$target.log"
    failed+=("$target")
  else
    grep -E '^stat::number_of_executed_units' "$build/$target.log" || true
  fi
done

if ((${#failed[@]})); then
  echo "Fuzzing failed: ${failed[*]} (inputs in $build/artifacts/)"
  exit 1
fi
echo "Fuzzing passed: ${targets[*]}"
