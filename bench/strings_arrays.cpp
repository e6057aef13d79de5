// Speed of the string, buffer and array operations the games use on every frame or every load.
#include <benchmark/benchmark.h>

#include "core/lang/DInteger.h"
#include "core/lang/DString.h"
#include "core/lang/DStringBuffer.h"
#include "core/lang/DSystem.h"
#include "core/lang/DintArray.h"
#include "core/lang/DintArray2d.h"

using namespace nuv::lang;

// Score texts: a label and a number joined every frame.
static void scoreConcatenation(benchmark::State& state) {
  DStringPtr label = u"SCORE ";
  int32_t score = 0;
  for (auto _ : state) {
    DStringPtr text = label + score++;
    benchmark::DoNotOptimize(text.get());
  }
}
BENCHMARK(scoreConcatenation);

// Building a text table line by line.
static void bufferAppends(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  for (auto _ : state) {
    DStringBufferPtr buffer = new DStringBuffer();
    for (int32_t i = 0; i < n; ++i) buffer->append(u'x');
    benchmark::DoNotOptimize(buffer->toString().get());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(bufferAppends)->Arg(64)->Arg(4096);

// Tuning values read from text tables at load.
static void parseInts(benchmark::State& state) {
  DStringPtr texts[] = {u" 1500", u"0x00AFFF", u"-12"};
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(DInteger::parseInt(texts[i]));
    i = i == 2 ? 0 : i + 1;
  }
}
BENCHMARK(parseInts);

// Scrolling a row of map cells within one array.
static void overlappingIntCopy(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  DintArrayPtr row = new DintArray(n);
  for (auto _ : state) {
    DSystem::arraycopy(row, 1, row, 0, n - 1);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(overlappingIntCopy)->Arg(32)->Arg(1024);

// Reading every cell of a tile map through its rows.
static void tableReads(benchmark::State& state) {
  constexpr int32_t kRows = 32;
  constexpr int32_t kCols = 32;
  DintArray2dPtr map = new DintArray2d(kRows, kCols);
  for (auto _ : state) {
    int32_t sum = 0;
    for (int32_t r = 0; r < kRows; ++r) {
      for (int32_t c = 0; c < kCols; ++c) sum += map[r][c];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetItemsProcessed(state.iterations() * kRows * kCols);
}
BENCHMARK(tableReads);
