#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang and runs each for SECONDS (default 60), one line per
# target: the inputs run, the inputs that reached new code, and the inputs that failed (crash, sanitizer
# report, leak, hang or running out of memory).
#
#   scripts/fuzz.sh [SECONDS] [TARGET...]
#
# GH_FUZZ_JOBS=N runs N fuzzing processes per target (default 1). The corpora grow in
# build-fuzz/fuzz/corpus/TARGET/, seeded from the built game.dat, fuzz/seeds/ and tests/fuzz/kept/;
# failing inputs land in build-fuzz/fuzz/findings/TARGET/. Replay one with `build-fuzz/fuzz/fuzz_TARGET
# FILE`; once fixed, keep it in tests/fuzz/kept/TARGET/ with its row in tests/fuzz/KeptInputsTest.cpp.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

seconds=${1:-60}
[ $# -gt 0 ] && shift
jobs=${GH_FUZZ_JOBS:-1}
build=${GH_FUZZ_BUILD_DIR:-build-fuzz}

CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DGH_FUZZ=ON -DGH_TESTS=OFF -DGH_BENCH=OFF > /dev/null
cmake --build "$build"

out=$(realpath "$build")/fuzz
if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for binary in "$out"/fuzz_*; do targets+=("${binary##*/fuzz_}"); done
fi

# The seeds: game.dat's entries of each kind (the 240x320 set), read from the tree the build packed it
# from, then the hand-made ones of fuzz/seeds/.
data="$build/data/archive"
scratch=$(mktemp -d "$out/seeding.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
seeds_of() {
  local g=graphics/240x320
  case "$1" in
    archive) ;;  # made below
    picture) find "$g" -name '*.png' -size -16k ;;
    image_table) find "$g" -name 'all.txt' -o -name 'icons.txt' ;;
    font) find 240x320 -name 'font_[0-9]' ;;
    wav) find data -name '*.wav' -size -8k ;;
    mod) find data -name '*.mod' ;;
    text_table) printf '%s\n' data/keys.txt graphics/240x320.dat txt/lang.txt txt/res_en.txt data/cy/anim.txt
      find "$g" -name '*anim.txt' ;;
    help_page) find txt -name '*_help.txt' ;;
    more_games) find txt -name 'res_*.txt' ;;
    bounce_round) find data/bnc/data -name 'round*.txt' ;;
    burrow_levels) find data/bur/data -name '*.txt' ;;
    canyon_screens) echo data/cy/screens.bin ;;
    climber_level) find data/clmb/maps -name '*.txt' ;;
    gobbler_map) find data/gob/maps -name '*.txt' ;;
    tanks_stages) echo data/tanks/dat/mapbcl.bin ;;
  esac
}
seed() {
  local target=$1 corpus="$out/corpus/$1"
  mkdir -p "$corpus"
  (cd "$data" && seeds_of "$target") | while IFS= read -r file; do
    cp "$data/$file" "$corpus/seed-$(sha1sum < "$data/$file" | cut -c1-16)"
  done
  [ -d "fuzz/seeds/$target" ] && cp fuzz/seeds/"$target"/* "$corpus/"
  [ -d "tests/fuzz/kept/$target" ] && cp tests/fuzz/kept/"$target"/* "$corpus/"
  if [ "$target" = archive ]; then
    # Small archives of a text, a picture and a sound: packed as game.dat is, and stored with a plain header.
    local tree="$scratch/archive-tree"
    mkdir -p "$tree/data/bnc/sound" "$tree/graphics/240x320"
    cp "$data/data/keys.txt" "$tree/data/"
    cp "$data/graphics/240x320/pause.png" "$tree/graphics/240x320/"
    cp "$data/data/bnc/sound/die.wav" "$tree/data/bnc/sound/"
    "$build/tools/pack/gh_pack" "$tree" "$corpus/packed.dat" > /dev/null
    (cd "$tree" && 7zz a -mx0 -mhc=off "$corpus/stored.dat" . > /dev/null)
  fi
  return 0
}

export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/fuzz/lsan.supp:print_suppressions=0}
# The targets' program folders, registries and message stores: in memory where the machine offers it.
[ -d /dev/shm ] && [ -w /dev/shm ] && export TMPDIR=${TMPDIR:-/dev/shm}
printf '%-15s %10s %8s %9s  %s\n' target inputs new findings "(${seconds} s each, ${jobs} job(s))"
failed=0
for target in "${targets[@]}"; do
  binary="$out/fuzz_$target"
  [ -x "$binary" ] || { echo "no fuzz target $target" >&2; exit 2; }
  seed "$target"
  corpus="$out/corpus/$target"
  findings="$out/findings/$target"
  logs="$out/logs/$target"
  mkdir -p "$findings"
  rm -rf "$logs" && mkdir -p "$logs"
  before=$(find "$corpus" -type f | wc -l)
  dict=()
  [ -f "fuzz/dict/$target.dict" ] && dict=(-dict="$(realpath "fuzz/dict/$target.dict")")
  # An archive's LZMA dictionary (up to 4 GB) is reserved whole but touched only as far as the data goes: such
  # a reservation is no finding, memory really used past 2 GB is.
  # Longer inputs (a kept one may be) are cut to 64 KB: every seed of game.dat is shorter.
  options=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=2048 -malloc_limit_mb=8192 -max_len=65536
           -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$findings/" "${dict[@]}")
  if [ "$jobs" -gt 1 ]; then
    (cd "$logs" && "$binary" -jobs="$jobs" -workers="$jobs" "${options[@]}" "$corpus" > /dev/null 2>&1) || true
  else
    "$binary" "${options[@]}" "$corpus" > "$logs/fuzz-0.log" 2>&1 || true
  fi
  # Each process's count of inputs: its final figure, or the last it printed when an input ended it.
  runs=0
  for log in "$logs"/fuzz-*.log; do
    n=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    [ -n "$n" ] || n=$(sed -n 's/^#\([0-9]*\).*/\1/p' "$log" | tail -1)
    runs=$((runs + ${n:-0}))
  done
  new=$(($(find "$corpus" -type f | wc -l) - before))
  found=$(find "$findings" -type f \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) \
    -newer "$logs" | wc -l)
  note=""
  if [ "$found" -gt 0 ]; then
    failed=1
    note="see $findings and $logs"
  fi
  printf '%-15s %10s %8s %9s  %s\n' "$target" "$runs" "$new" "$found" "$note"
done
exit $failed
