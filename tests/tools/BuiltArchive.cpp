// The build's staged tree, read-only, and copies of it spoiled one case at a time.
#include "BuiltArchive.h"

#include <cctype>
#include <fstream>

#include "Check.h"
#include "TextTables.h"

namespace fs = std::filesystem;

namespace builtarchive {

fs::path stagedTree() { return fs::path(GH_GAME_DAT).parent_path() / "data" / "archive"; }

const datakit::StagedFiles& stagedFiles() {
  static const datakit::StagedFiles files = [] {
    datakit::StagedFiles out;
    for (const auto& f : fs::recursive_directory_iterator(stagedTree()))
      if (f.is_regular_file())
        out[f.path().lexically_relative(stagedTree()).generic_string()] = datakit::readBytes(f.path());
    return out;
  }();
  return files;
}

const std::map<std::string, std::string>& stagedSources() {
  static const std::map<std::string, std::string> sources = [] {
    std::map<std::string, std::string> out;
    std::istringstream manifest(datakit::readFile(stagedTree().parent_path() / "sources.txt"));
    for (std::string line; std::getline(manifest, line);)
      if (size_t tab = line.find('\t'); tab != std::string::npos) out[line.substr(0, tab)] = line.substr(tab + 1);
    return out;
  }();
  return sources;
}

void expectSounds(const datakit::GameRow& game, const std::function<bool(int index)>& isTune) {
  for (size_t i = 0; i < game.sounds.size(); ++i) {
    const std::string& base = game.sounds[i];
    EXPECT_TRUE(has(base + (isTune(static_cast<int>(i)) ? ".mod" : ".wav"))) << base;
  }
}

std::vector<std::string> screenTextKeys(const datakit::GameRow& game, const std::vector<std::string>& more) {
  std::vector<std::string> keys = game.textKeys;
  keys.push_back("ctrl_actions_" + game.key);
  keys.insert(keys.end(), more.begin(), more.end());
  return keys;
}

void expectEveryLanguage(const char16_t* helpFolder, int32_t helpBytes, const std::vector<std::string>& keys,
                         const std::function<void(const std::string& code, const std::string& texts)>& more) {
  for (const std::string code : kLanguages) {
    EXPECT_GT(nuv::io::D7zipInputStream::getSize(name(datakit::archiveName(helpFolder) + code + "_help.txt")),
              helpBytes)
        << code;
    const std::string texts = read("txt/res_" + code + ".txt");
    for (const std::string& key : keys) EXPECT_NE(texts.find(key + "="), std::string::npos) << code << " " << key;
    if (more) more(code, texts);
  }
}

// Beside the staged tree, on its file system.
SpoiledTree::SpoiledTree() : folder_((fs::path(GH_GAME_DAT).parent_path() / "spoiled-data").string()) {
  const fs::path tree = stagedTree();
  for (const auto& f : fs::recursive_directory_iterator(tree)) {
    const fs::path copy = fs::path(folder_.path()) / f.path().lexically_relative(tree);
    std::error_code linked;
    if (f.is_directory())
      fs::create_directory(copy);
    else if (fs::create_hard_link(f.path(), copy, linked); linked)
      fs::copy_file(f.path(), copy);  // another file system
  }
}

fs::path SpoiledTree::at(const std::string& entry) const { return fs::path(folder_.path()) / entry; }

std::string SpoiledTree::read(const std::string& entry) const { return datakit::readFile(at(entry)); }

void SpoiledTree::write(const std::string& entry, const std::string& bytes) {
  // Removing first unlinks the build's file, so the write never reaches it.
  fs::remove(at(entry));
  fs::create_directories(at(entry).parent_path());
  std::ofstream(at(entry), std::ios::binary) << bytes;
}

void SpoiledTree::write(const std::string& entry, const datakit::Bytes& bytes) {
  write(entry, std::string(bytes.begin(), bytes.end()));
}

void SpoiledTree::remove(const std::string& entry) { fs::remove(at(entry)); }

void SpoiledTree::dropLines(const std::string& entry, const std::string& start) {
  const std::string text = read(entry);
  std::string kept;
  for (size_t from = 0; from < text.size();) {
    size_t end = text.find("\r\n", from);
    end = end == std::string::npos ? text.size() : end + 2;
    if (text.compare(from, start.size(), start) != 0) kept += text.substr(from, end - from);
    from = end;
  }
  write(entry, kept);
}

void SpoiledTree::cut(const std::string& entry, size_t size) { write(entry, read(entry).substr(0, size)); }

std::string SpoiledTree::faults() const {
  std::string all;
  for (const std::string& e : datakit::checkStaged(folder_.path(), stagedSources()).errors) all += e + "\n";
  return all;
}

std::string withLine(const SpoiledTree& tree, const std::string& entry, const std::u16string& line) {
  const datakit::Bytes extra = datakit::encodeUtf(line);
  return tree.read(entry) + std::string(extra.begin(), extra.end());
}

void PrintTo(const Spoil& spoil, std::ostream* out) { *out << spoil.what; }

std::string spoilName(const ::testing::TestParamInfo<Spoil>& info) {
  std::string name;
  bool wordStart = true;
  for (const char* c = info.param.what; *c != '\0'; ++c) {
    if (std::isalnum(static_cast<unsigned char>(*c)) == 0) {
      wordStart = *c == ' ';
      continue;
    }
    name += wordStart ? static_cast<char>(std::toupper(static_cast<unsigned char>(*c))) : *c;
    wordStart = false;
  }
  return name;
}

TEST_P(SpoiledData, TheCheckNamesTheFault) {
  SpoiledTree tree;
  GetParam().spoil(tree);
  const std::string faults = tree.faults();
  bool found = false;
  std::istringstream lines(faults);
  for (std::string line; std::getline(lines, line);) {
    bool all = line.find(GetParam().message) != std::string::npos;
    for (const char* part : GetParam().sameLine) all = all && line.find(part) != std::string::npos;
    found = found || all;
  }
  EXPECT_TRUE(found) << GetParam().what << "\n" << faults;
}

}  // namespace builtarchive
