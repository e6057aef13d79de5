// Speed of the vector and the pooled hash table under the games' typical loads.
#include <benchmark/benchmark.h>

#include <vector>

#include "core/lang/DInteger.h"
#include "core/lang/DString.h"
#include "core/util/DHashtable.h"
#include "core/util/DVector.h"

using namespace nuv::lang;
using namespace nuv::util;

// The key-to-action tables: int keys, filled once, read every frame.
static void intKeyedLookups(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  DHashtablePtr table = new DHashtable();
  for (int32_t k = 0; k < n; ++k) table->put(k * 37, new DInteger(k));
  int32_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(table->get(k * 37));
    k = k + 1 == n ? 0 : k + 1;
  }
}
BENCHMARK(intKeyedLookups)->Arg(16)->Arg(256);

// The text tables: string keys, filled on every language load.
static void stringKeyedFill(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  std::vector<DStringPtr> keys;
  for (int32_t k = 0; k < n; ++k) keys.push_back(DInteger::toString(k));
  DObjectPtr value = new DObject();
  for (auto _ : state) {
    DHashtablePtr table = new DHashtable();
    for (const DStringPtr& key : keys) table->put(key, value);
    benchmark::DoNotOptimize(table->get(keys[n / 2]));
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(stringKeyedFill)->Arg(64)->Arg(1024);

static void vectorAppendAndWalk(benchmark::State& state) {
  const auto n = static_cast<int32_t>(state.range(0));
  DObjectPtr element = new DObject();
  for (auto _ : state) {
    DVectorPtr vector = new DVector();
    for (int32_t i = 0; i < n; ++i) vector->addElement(element);
    DEnumerationPtr e = vector->elements();
    while (e->hasMoreElements()) benchmark::DoNotOptimize(e->nextElement());
  }
  state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(vectorAppendAndWalk)->Arg(64)->Arg(1024);
