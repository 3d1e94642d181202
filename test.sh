#!/usr/bin/env bash
# Sets everything up, builds the program, the tests and the benchmarks with warnings as
# errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
scripts/setup.sh dev build -DBUILD_TESTING=ON -DKIV_WERROR=ON
ctest --test-dir build --output-on-failure -j 2
