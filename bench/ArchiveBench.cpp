// Opening and reading entries of a 500-entry resource archive. Opening one decodes no other, but the
// headers before it are stepped over, so a later entry costs a little more than the first.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "core/io/D7zipInputStream.h"
#include "core/lang/DString.h"
#include "platform/host/paths.h"

using nuv::io::D7zipInputStream;
using nuv::io::D7zipInputStreamPtr;
using nuv::lang::DbyteArray;
using nuv::lang::DbyteArrayPtr;
using nuv::lang::DString;
using nuv::lang::DStringPtr;

namespace {

constexpr int kEntries = 500;
constexpr size_t kEntryBytes = 16 * 1024;

std::u16string entryName(int i) {
  std::string name = "graphics/tile" + std::to_string(i) + ".png";
  return std::u16string(name.begin(), name.end());
}

// A game.dat of 500 entries of 16 KB each, made once in a temporary folder beside a pretend program.
class ArchiveFixture {
 public:
  ArchiveFixture() {
    folder_ = std::filesystem::temp_directory_path() / ("glimmerhut-bench-" + std::to_string(::getpid()));
    const auto files = folder_ / "files";
    std::filesystem::create_directories(files / "graphics");
    std::mt19937 random(7);
    for (int i = 0; i < kEntries; ++i) {
      // Half noise, half runs: about as compressible as small pictures.
      std::string bytes(kEntryBytes, '\0');
      for (size_t j = 0; j < bytes.size(); ++j) bytes[j] = static_cast<char>(j % 64 < 32 ? random() : j / 64);
      std::ofstream(files / "graphics" / ("tile" + std::to_string(i) + ".png"), std::ios::binary) << bytes;
    }
    const std::string command =
        std::string("'") + GH_PACK_TOOL + "' '" + files.string() + "' '" + (folder_ / "game.dat").string() + "'";
    if (std::system(command.c_str()) != 0) std::abort();
    platform::setProgramFile((folder_ / "glimmerhut").string());
    D7zipInputStream::openArchive(u"game.dat", u"");
  }
  ~ArchiveFixture() {
    D7zipInputStream::closeArchive();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

 private:
  std::filesystem::path folder_;
};

ArchiveFixture& fixture() {
  static ArchiveFixture f;
  return f;
}

// Opens entry `range(0)` and reads it whole, as image loading does.
void BM_OpenAndReadEntry(benchmark::State& state) {
  fixture();
  const DStringPtr name = new DString(std::u16string_view(entryName(static_cast<int>(state.range(0)))));
  DbyteArrayPtr buffer = new DbyteArray(static_cast<int32_t>(kEntryBytes));
  for (auto _ : state) {
    D7zipInputStreamPtr in = D7zipInputStream::open(name);
    benchmark::DoNotOptimize(in->read(buffer));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kEntryBytes));
}
BENCHMARK(BM_OpenAndReadEntry)->Arg(0)->Arg(250)->Arg(kEntries - 1)->Unit(benchmark::kMicrosecond);

// The lookup alone: getSize walks the index and decodes nothing.
void BM_LookUpEntry(benchmark::State& state) {
  fixture();
  const DStringPtr name = new DString(std::u16string_view(entryName(kEntries - 1)));
  for (auto _ : state) benchmark::DoNotOptimize(D7zipInputStream::getSize(name));
}
BENCHMARK(BM_LookUpEntry);

// Opening the archive: reading its list and building the index.
void BM_OpenArchive(benchmark::State& state) {
  fixture();
  for (auto _ : state) D7zipInputStream::openArchive(u"game.dat", u"");
}
BENCHMARK(BM_OpenArchive)->Unit(benchmark::kMicrosecond);

}  // namespace
