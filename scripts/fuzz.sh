#!/usr/bin/env bash
# Fuzzes the game's readers with libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer: builds the fuzz targets (tests/fuzz) and their
# seed corpora with clang into a build folder of their own, runs every target
# given (all when none is) for the given seconds, a few at a time on all
# cores, and prints one line per target: runs, seconds, peak memory, new
# paths found, outcome. Stops with status 1 when any target found an input
# that crashes, hangs, exhausts memory or breaks a reader's promise; the line
# says where that input was left.
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]     (default: 60 seconds, every target)
#
# Environment: FUZZ_BUILD (build folder, default build-fuzz), FUZZ_WORK (the
# working corpora, logs and findings, default FUZZ_BUILD/work, never in the
# tree), JOBS (targets run at once, default all cores).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
[ $# -gt 0 ] && shift
build=${FUZZ_BUILD:-"$root/build-fuzz"}
work=${FUZZ_WORK:-"$build/work"}
jobs=${JOBS:-$(nproc)}

# Light optimisation and line tables only: the build is most of a short run,
# and the sanitizers' reports still name every line.
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Fuzz -DCMAKE_C_FLAGS_FUZZ="-O1 -gline-tables-only" \
    -DCMAKE_CXX_FLAGS_FUZZ="-O1 -gline-tables-only" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DTAMRISK_FUZZ=ON -DTAMRISK_BENCHMARKS=OFF ${FUZZ_CMAKE_ARGS:-} >/dev/null
cmake --build "$build" -j "$(nproc)" --target fuzz_targets

if [ $# -gt 0 ]; then
    targets=("$@")
else
    mapfile -t targets < <(cd "$build/tests/fuzz" && ls -- *_fuzz | sed 's/_fuzz$//')
fi

export SDL_VIDEODRIVER=offscreen ALSOFT_DRIVERS=null
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_stack_use_after_return=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/scripts/lsan.supp}

# The targets whose files are XML share the words of the shipped XML files.
xml_targets="XMLParser DataKeeper GUITextTool GUIToolManager GUIFontTool LevelManager GameLogicData Environment GUIBackground"

# One target's run: its working corpus takes what it finds, the seeds and the
# regression corpus are read only; a finding is left in its findings folder.
run_target() {
    local target=$1 program="$build/tests/fuzz/${1}_fuzz"
    local corpus="$work/corpus/$target" findings="$work/findings/$target" log="$work/logs/$target.log"
    local dictionary="$root/tests/fuzz/dictionaries/$target.dict"
    [[ " $xml_targets " == *" $target "* ]] && dictionary="$root/tests/fuzz/dictionaries/xml.dict"
    mkdir -p "$corpus" "$findings" "$(dirname "$log")"
    local options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=1024 -print_final_stats=1
                   -artifact_prefix="$findings/")
    [ -f "$dictionary" ] && options+=(-dict="$dictionary")
    local status=0 started=$SECONDS
    "$program" "${options[@]}" "$corpus" "$build/fuzz/seeds/$target" "$root/tests/fuzz/corpus/$target" \
        >"$log" 2>&1 || status=$?
    local runs peak added latest finding outcome
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    peak=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -1)
    added=$(sed -n 's/^stat::new_units_added: *//p' "$log" | tail -1)
    finding=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
    # How late the run still found something: the run of its last new path.
    latest=$(sed -n 's/^#\([0-9]*\)[[:space:]]*NEW .*/\1/p' "$log" | tail -1)
    if [ "$status" -eq 0 ]; then
        outcome="ok"
    else
        outcome="FOUND (status $status): ${finding:-no input written} (log $log)"
    fi
    printf '%-24s runs %9s  time %4ss  peak %5s MB  new paths %5s (last at run %9s)  %s\n' \
        "$target" "${runs:-?}" "$((SECONDS - started))" "${peak:-?}" "${added:-?}" "${latest:--}" "$outcome"
    [ "$status" -eq 0 ]
}

failed=0
running=0
for target in "${targets[@]}"; do
    if [ ! -x "$build/tests/fuzz/${target}_fuzz" ]; then
        echo "$target: no such fuzz target"
        failed=1
        continue
    fi
    run_target "$target" &
    running=$((running + 1))
    if [ "$running" -ge "$jobs" ]; then
        wait -n || failed=1
        running=$((running - 1))
    fi
done
while [ "$running" -gt 0 ]; do
    wait -n || failed=1
    running=$((running - 1))
done
exit "$failed"
