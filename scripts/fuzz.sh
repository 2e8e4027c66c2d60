#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang and runs each of them.
#   bash scripts/fuzz.sh --short          about a minute in all per harness (CI)
#   bash scripts/fuzz.sh --seconds 3600   an hour per harness
#   bash scripts/fuzz.sh --seconds 3600 fuzz_clean   one harness only
# New inputs that raise coverage go to build-fuzz/corpus/NAME; a crash
# leaves its input in build-fuzz/crashes/ and stops the script.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=600
if [ "${1:-}" = "--short" ]; then seconds=50; shift; fi
if [ "${1:-}" = "--seconds" ]; then seconds="$2"; shift 2; fi

# TAMREL_FUZZ_BUILT=1 skips the build, for several runs side by side.
if [ "${TAMREL_FUZZ_BUILT:-0}" != 1 ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAMREL_FUZZ=ON -DTAMREL_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build-fuzz -j2 >/dev/null
fi

harnesses=("$@")
if [ ${#harnesses[@]} -eq 0 ]; then
  for source in tests/fuzz/fuzz_*.cpp; do
    name=$(basename "$source" .cpp)
    harnesses+=("$name")
  done
fi

mkdir -p build-fuzz/crashes
for name in "${harnesses[@]}"; do
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  dirs=("$corpus")
  [ -d "tests/fuzz/corpus/$name" ] && dirs+=("tests/fuzz/corpus/$name")
  echo "fuzzing $name for ${seconds}s"
  ASAN_OPTIONS=detect_leaks=1 ./build-fuzz/tests/fuzz/"$name" "${dirs[@]}" \
    -max_total_time="$seconds" -max_len=65536 -timeout=20 -rss_limit_mb=4096 \
    -artifact_prefix=build-fuzz/crashes/"$name"- -print_final_stats=1 2>build-fuzz/"$name".log \
    || { tail -40 build-fuzz/"$name".log; echo "fuzz: $name failed"; exit 1; }
  grep -E 'stat::number_of_executed_units|cov:' build-fuzz/"$name".log | tail -2
done
echo "fuzz: ${#harnesses[@]} harnesses ran ${seconds}s each without a crash"
