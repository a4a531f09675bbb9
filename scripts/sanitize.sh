#!/bin/sh
# Builds the project with AddressSanitizer and UndefinedBehaviorSanitizer in a
# build folder of its own and runs the tests there. Any sanitizer report
# fails the run.
#
#   scripts/sanitize.sh [BUILD_FOLDER]      (default: build-sanitize)
#   JOBS=4 scripts/sanitize.sh              (parallel jobs; default: all cores)
#   TARGETS="game_tools_tests" TESTS="XML" scripts/sanitize.sh
#                                           (build only these targets, run only
#                                            the tests whose names match)
#   CXX=g++ CC=gcc scripts/sanitize.sh      (the compiler; default clang, so
#                                            that the tree keeps building with
#                                            both compilers)
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-"$root/build-sanitize"}
jobs=${JOBS:-$(nproc)}
targets=${TARGETS:-all}
tests=${TESTS:-.}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAMRISK_SANITIZE=ON \
    -DCMAKE_C_COMPILER="${CC:-clang}" -DCMAKE_CXX_COMPILER="${CXX:-clang++}"
# shellcheck disable=SC2086
cmake --build "$build" -j "$jobs" --target $targets

# The full unwinder lets the leak suppressions see through driver code built
# without frame pointers, but it deadlocks inside llvmpipe's code generator.
# Tests that draw with the software renderer therefore want
#   ASAN_OPTIONS=detect_leaks=0 scripts/sanitize.sh
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:fast_unwind_on_malloc=0}
LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp:print_suppressions=0}
UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
export ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
ctest --test-dir "$build" -j "$jobs" --output-on-failure --no-tests=error -R "$tests"
