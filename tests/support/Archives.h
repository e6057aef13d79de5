// Fixture archives made at test time with the game.dat packer.
#pragma once

#include <map>
#include <string>

namespace test {

// Entry name ("graphics/a.png") to its bytes.
using ArchiveFiles = std::map<std::string, std::string>;

// Writes each file under `folder`, making the folders on the way.
void writeFiles(const std::string& folder, const ArchiveFiles& files);

// Runs the packer on `folder`; its exit status, with what it printed in `messages` when given.
int runPacker(const std::string& folder, const std::string& output, std::string* messages = nullptr);

// Writes the files into a fresh folder beside `output` and packs it; throws when the packer fails.
void packArchive(const std::string& output, const ArchiveFiles& files);

}  // namespace test
