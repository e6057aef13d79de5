// Fixture archives made at test time with the game.dat packer.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "StoredArchive.h"

namespace test {

// Entry name ("graphics/a.png") to its bytes.
using ArchiveFiles = std::map<std::string, std::string>;

// Writes each file under `folder`, making the folders on the way.
void writeFiles(const std::string& folder, const ArchiveFiles& files);

// Runs the packer on `folder`; its exit status, with what it printed in `messages` when given.
int runPacker(const std::string& folder, const std::string& output, std::string* messages = nullptr);

// Writes the files into a fresh folder beside `output` and packs it; throws when the packer fails.
void packArchive(const std::string& output, const ArchiveFiles& files);

using pack::StoredEntry;

// Writes a 7z archive whose entries are stored uncompressed, one per folder, with their checksums,
// so that a test can damage exactly what it means to. Returns each entry's offset in the file.
std::vector<uint64_t> writeStoredArchive(const std::string& output, const std::vector<StoredEntry>& entries);

// Writes the entries as writeStoredArchive does after `change` has had the archive's list of entries, its
// checksums made again to match: damage that only the list's sense can tell.
void writeStoredArchiveWithList(const std::string& output, const std::vector<StoredEntry>& entries,
                                const std::function<void(std::string& list)>& change);

// Inverts every bit of the byte at the offset.
void flipByte(const std::string& file, uint64_t offset);

// Every file entry of an archive, in its order, with its bytes; empty when it cannot be read.
std::vector<StoredEntry> readStoredEntries(const std::string& archive);

// Writes the entries as writeStoredArchive does, with one byte in the middle of the named entry inverted.
void writeWithDamagedEntry(const std::string& output, const std::vector<StoredEntry>& entries,
                           const std::u16string& damaged);

}  // namespace test
