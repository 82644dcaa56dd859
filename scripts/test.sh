#!/usr/bin/env bash
# Installs what is missing, builds the test configuration (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs every test through ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${VX_BUILD_DIR:-build/test}
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVX_SANITIZE=ON -DVX_BENCH=OFF \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1"
cmake --build "$build"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" --timeout 600
