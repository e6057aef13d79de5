// The resource archive: a whole archive file opened as game.dat is, and the entries the program asks for
// read in every way its streams offer.
#include <filesystem>
#include <fstream>

#include "Entries.h"
#include "core/io/D7zipInputStream.h"
#include "core/lang/DbyteArray.h"

namespace fuzz {

using nuv::io::D7zipInputStream;

namespace {

// The entries the seeds hold (a text table, a picture, a sound) and one no archive holds.
constexpr const char16_t* kNames[] = {u"data/keys.txt", u"/graphics\\240x320/pause.png", u"data/bnc/sound/die.wav",
                                      u"missing"};

}  // namespace

void archive(Input input) {
  const std::filesystem::path file = std::filesystem::path(programFolder()) / "archive.dat";
  {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
  }
  refusalsAllowed([] { D7zipInputStream::openArchive(u"archive.dat", u""); });
  if (!D7zipInputStream::isArchiveOpen()) return;
  for (const char16_t* name : kNames) {
    refusalsAllowed([&] {
      if (D7zipInputStream::getSize(name) < 0) return;
      nuv::io::D7zipInputStreamPtr stream = D7zipInputStream::open(name);
      nuv::lang::DbyteArrayPtr buffer = new nuv::lang::DbyteArray(1000);
      stream->skip(3);
      stream->read();
      while (stream->read(buffer, 7, 993) > 0) {
      }
      stream->reset();
      while (stream->read() >= 0) {
      }
      stream->close();
    });
  }
  D7zipInputStream::closeArchive();
}

}  // namespace fuzz
