// Opening entries of a 500-entry resource archive: the 1st, the 250th and the 500th, each beside decoding
// the same bytes alone (liblzma from memory, the coder 7z archives store them with) and beside the 1st,
// all timed in the same run. Opening one entry decodes no other and steps over nothing, so its place in
// the archive should not matter. Also the lookup, an entry read again, and opening the archive.
#include <benchmark/benchmark.h>
#include <lzma.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/io/D7zipInputStream.h"
#include "core/lang/DString.h"
#include "platform/api/file.h"
#include "platform/api/windows.h"
#include "platform/host/archive7z.h"
#include "platform/host/paths.h"

using nuv::io::D7zipInputStream;
using nuv::io::D7zipInputStreamPtr;
using nuv::lang::DbyteArray;
using nuv::lang::DbyteArrayPtr;
using nuv::lang::DString;
using nuv::lang::DStringPtr;

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kEntries = 500;
constexpr size_t kEntryBytes = 16 * 1024;
// The packer's compression level.
constexpr uint32_t kPreset = 7;

std::string entryName(int i) { return "graphics/tile" + std::to_string(i) + ".png"; }

std::u16string wide(const std::string& s) { return std::u16string(s.begin(), s.end()); }

// Half noise, half runs: about as compressible as small pictures.
std::string entryBytes(int i) {
  std::mt19937 random(7 + static_cast<unsigned>(i));
  std::string bytes(kEntryBytes, '\0');
  for (size_t j = 0; j < bytes.size(); ++j) bytes[j] = static_cast<char>(j % 64 < 32 ? random() : j / 64);
  return bytes;
}

// An entry's bytes as a raw LZMA stream, packed the way the packer's 7-Zip packs a file this small: its
// dictionary no larger than the file.
struct LzmaEntry {
  explicit LzmaEntry(const std::string& bytes) {
    lzma_lzma_preset(&options, kPreset);
    options.dict_size = LZMA_DICT_SIZE_MIN;
    while (options.dict_size < bytes.size()) options.dict_size *= 2;
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_stream s = LZMA_STREAM_INIT;
    if (lzma_raw_encoder(&s, filters) != LZMA_OK) std::abort();
    packed.resize(bytes.size() + bytes.size() / 2 + 1024);
    s.next_in = reinterpret_cast<const uint8_t*>(bytes.data());
    s.avail_in = bytes.size();
    s.next_out = packed.data();
    s.avail_out = packed.size();
    if (lzma_code(&s, LZMA_FINISH) != LZMA_STREAM_END) std::abort();
    packed.resize(packed.size() - s.avail_out);
    lzma_end(&s);
    output.resize(bytes.size());
  }

  // As a reader would: a fresh decoder, the whole entry.
  void decode() {
    const lzma_filter filters[] = {{LZMA_FILTER_LZMA1, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_stream s = LZMA_STREAM_INIT;
    if (lzma_raw_decoder(&s, filters) != LZMA_OK) std::abort();
    s.next_in = packed.data();
    s.avail_in = packed.size();
    s.next_out = output.data();
    s.avail_out = output.size();
    if (lzma_code(&s, LZMA_FINISH) != LZMA_STREAM_END) std::abort();
    lzma_end(&s);
  }

  lzma_options_lzma options{};
  std::vector<uint8_t> packed;
  std::vector<uint8_t> output;
};

// A game.dat of 500 entries of 16 KB each, made once in a temporary folder beside a pretend program,
// open both as the program's archive and as the stand-in's reader.
class ArchiveFixture {
 public:
  ArchiveFixture() {
    folder_ = std::filesystem::temp_directory_path() / ("glimmerhut-bench-" + std::to_string(::getpid()));
    const auto files = folder_ / "files";
    std::filesystem::create_directories(files / "graphics");
    for (int i = 0; i < kEntries; ++i) std::ofstream(files / entryName(i), std::ios::binary) << entryBytes(i);
    const std::string dat = (folder_ / "game.dat").string();
    const std::string command = std::string("'") + GH_PACK_TOOL + "' '" + files.string() + "' '" + dat + "'";
    if (std::system(command.c_str()) != 0) std::abort();
    platform::setProgramFile((folder_ / "glimmerhut").string());
    D7zipInputStream::openArchive(u"game.dat", u"");
    file_ = CreateFileW(platform::toDevicePath(dat).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                        nullptr);
    std::string error;
    if (file_ == INVALID_HANDLE_VALUE || !archive.open(file_, error)) std::abort();
  }
  ~ArchiveFixture() {
    CloseHandle(file_);
    D7zipInputStream::closeArchive();
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }

  // The reader's index of the entry with that name.
  size_t indexOf(int i) const {
    const std::u16string name = wide(entryName(i));
    const auto& entries = archive.entries();
    const auto at = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.name == name; });
    if (at == entries.end()) std::abort();
    return static_cast<size_t>(at - entries.begin());
  }

  platform::Archive7z archive;

 private:
  std::filesystem::path folder_;
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

ArchiveFixture& fixture() {
  static ArchiveFixture f;
  return f;
}

template <class Work>
Clock::duration timed(Work work) {
  const auto start = Clock::now();
  work();
  return Clock::now() - start;
}

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Entry `range(0)` opened and decoded whole, as the program opens an entry it has not read lately; timed
// alternately with the 1st entry and with decoding the same bytes alone.
void BM_OpenEntry(benchmark::State& state) {
  ArchiveFixture& f = fixture();
  const int i = static_cast<int>(state.range(0));
  const size_t entry = f.indexOf(i);
  const size_t first = f.indexOf(0);
  LzmaEntry alone(entryBytes(i));
  std::vector<uint8_t> out;
  std::string error;
  Clock::duration openTime{}, firstTime{}, aloneTime{};
  for (auto _ : state) {
    const Clock::duration open = timed([&] {
      if (!f.archive.extract(entry, out, error)) std::abort();
    });
    firstTime += timed([&] {
      if (!f.archive.extract(first, out, error)) std::abort();
    });
    aloneTime += timed([&] { alone.decode(); });
    openTime += open;
    state.SetIterationTime(seconds(open));
  }
  state.counters["time_vs_decoding_alone"] = seconds(openTime) / seconds(aloneTime);
  state.counters["time_vs_first_entry"] = seconds(openTime) / seconds(firstTime);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kEntryBytes));
}
BENCHMARK(BM_OpenEntry)->Arg(0)->Arg(249)->Arg(kEntries - 1)->UseManualTime()->Unit(benchmark::kMicrosecond);

// The yardstick alone: a fresh liblzma decoder over the entry's packed bytes in memory.
void BM_DecodeEntryAlone(benchmark::State& state) {
  LzmaEntry alone(entryBytes(static_cast<int>(state.range(0))));
  for (auto _ : state) alone.decode();
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kEntryBytes));
}
BENCHMARK(BM_DecodeEntryAlone)->Arg(0)->Arg(kEntries - 1)->Unit(benchmark::kMicrosecond);

// An entry read again while it is among the recent ones: nothing is decoded.
void BM_OpenRecentEntry(benchmark::State& state) {
  fixture();
  const DStringPtr name = new DString(std::u16string_view(wide(entryName(kEntries - 1))));
  DbyteArrayPtr buffer = new DbyteArray(static_cast<int32_t>(kEntryBytes));
  for (auto _ : state) {
    D7zipInputStreamPtr in = D7zipInputStream::open(name);
    benchmark::DoNotOptimize(in->read(buffer));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(kEntryBytes));
}
BENCHMARK(BM_OpenRecentEntry)->Unit(benchmark::kMicrosecond);

// The lookup alone: getSize walks the index and decodes nothing.
void BM_LookUpEntry(benchmark::State& state) {
  fixture();
  const DStringPtr name = new DString(std::u16string_view(wide(entryName(kEntries - 1))));
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
