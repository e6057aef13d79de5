// The staging step: turns the sources under data/ into the archive's tree of finished files.
#include "Stage.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "Atlas.h"
#include "DataError.h"
#include "GameTable.h"
#include "Generators.h"
#include "Sound.h"
#include "TextTables.h"

namespace fs = std::filesystem;

namespace datakit {

std::string readFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw DataError(path.string(), 0, "cannot read the file");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

Bytes readBytes(const fs::path& path) {
  std::string text = readFile(path);
  return Bytes(text.begin(), text.end());
}

namespace {

constexpr int kBaseWidth = 240;

std::string generic(const fs::path& p) { return p.generic_string(); }

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string stripTail(const std::string& s, const std::string& tail) { return s.substr(0, s.size() - tail.size()); }

// A source is laid out in the archive's tree; a folder named "all" stands for every screen
// size's folder, and folders or files starting with '_' are sources used by other sources.
struct Target {
  std::string name;
  const ScreenSize* size;
};

class Stager {
 public:
  Stager(const fs::path& dataDir, const std::string& fontDir) : renderer_(fontDir) {
    context_.dataDir = fs::absolute(dataDir);
    context_.renderer = &renderer_;
    sizes_ = readScreenSizes(context_.dataDir);
    fs::path palette = context_.dataDir / "palette.txt";
    context_.palette = Palette::parse(readFile(palette), palette.string());
    fs::path charset = context_.dataDir / "charset.txt";
    std::string chars = readFile(charset);
    chars.erase(std::remove(chars.begin(), chars.end(), '\n'), chars.end());
    context_.charset = fromUtf8(chars, charset.string(), 1);
  }

  Staged run() {
    std::vector<fs::path> sources;
    for (auto it = fs::recursive_directory_iterator(context_.dataDir); it != fs::recursive_directory_iterator(); ++it) {
      fs::path rel = fs::relative(it->path(), context_.dataDir);
      bool hidden = false;
      for (const fs::path& part : rel) hidden = hidden || part.string().front() == '_' || part.string().front() == '.';
      if (hidden) {
        if (it->is_directory()) it.disable_recursion_pending();
        continue;
      }
      if (it->is_directory() && endsWith(rel.string(), ".atlas")) {
        sources.push_back(rel);
        it.disable_recursion_pending();
      } else if (it->is_regular_file() && rel.has_parent_path()) {
        sources.push_back(rel);
      }
    }
    std::sort(sources.begin(), sources.end());
    for (const fs::path& rel : sources)
      if (endsWith(generic(rel), ".font")) loadFontStyle(rel);
    for (const fs::path& rel : sources) stage(rel);
    return std::move(staged_);
  }

 private:
  StageContext context_;
  FontRenderer renderer_;
  std::vector<ScreenSize> sizes_;
  Staged staged_;
  ScreenSize unscaled_{kBaseWidth, 320, "", 1};

  void put(const std::string& name, Bytes data, const fs::path& source) {
    if (name.size() > 255) throw DataError(source.string(), 0, "archive name longer than 255 characters: " + name);
    fs::path full = source.is_absolute() ? source : context_.dataDir / source;
    if (!staged_.files.emplace(name, std::move(data)).second)
      throw DataError(full.string(), 0, "a second source makes " + name);
    staged_.sources[name] = full.string();
  }

  std::vector<Target> targets(const std::string& rel) {
    std::vector<Target> out;
    std::string parts = "/" + rel;
    size_t pos = parts.find("/all/");
    if (pos != std::string::npos) {
      for (const ScreenSize& s : sizes_) out.push_back({parts.substr(1, pos) + s.folder + parts.substr(pos + 4), &s});
      return out;
    }
    for (const ScreenSize& s : sizes_)
      if (parts.find("/" + s.folder + "/") != std::string::npos) return {{rel, &s}};
    return {{rel, &unscaled_}};
  }

  std::map<std::string, std::string> keyValues(const fs::path& rel) {
    fs::path path = context_.dataDir / rel;
    std::map<std::string, std::string> out;
    for (const TextEntry& e : parseTextSource(readFile(path), path.string())) out[e.key] = toUtf8(e.value);
    return out;
  }

  Rgb colour(const std::string& name, const fs::path& path, int line) {
    try {
      return context_.palette.named(name);
    } catch (const std::exception& e) {
      throw DataError(path.string(), line, e.what());
    }
  }

  void loadFontStyle(const fs::path& rel) {
    fs::path path = context_.dataDir / rel;
    FontStyle style;
    for (const TextEntry& e : parseTextSource(readFile(path), path.string())) {
      std::string v = toUtf8(e.value);
      auto two = [&](Rgb& a, Rgb& b) {
        size_t comma = v.find(',');
        a = colour(v.substr(0, comma), path, e.line);
        b = comma == std::string::npos ? a : colour(v.substr(comma + 1), path, e.line);
      };
      try {
        if (e.key == "face")
          style.face = v;
        else if (e.key == "pixels")
          style.pixels = std::stoi(v);
        else if (e.key == "fill")
          two(style.fillTop, style.fillBottom);
        else if (e.key == "outline") {
          style.outlined = v != "none";
          if (style.outlined) style.outline = colour(v, path, e.line);
        } else if (e.key == "shadow") {
          style.shadowed = v != "none";
          if (style.shadowed) style.shadow = colour(v, path, e.line);
        } else if (e.key == "upper")
          style.upperCase = v == "yes";
        else if (e.key == "tracking")
          style.tracking = std::stoi(v);
        else
          throw DataError(path.string(), e.line, "unknown key " + e.key);
      } catch (const std::invalid_argument&) {
        throw DataError(path.string(), e.line, "not a number: " + v);
      }
    }
    for (char16_t c : context_.charset)
      if (!renderer_.hasGlyph(style, style.upperCase ? upperOf(c) : c))
        throw DataError(path.string(), 0, "face " + style.face + " lacks " + toUtf8(std::u16string(1, c)));
    context_.fonts[stripTail(generic(rel), ".font")] = style;
  }

  void stage(const fs::path& relPath) {
    const std::string rel = generic(relPath);
    const fs::path path = context_.dataDir / relPath;
    const std::string file = path.string();
    if (endsWith(rel, ".plain")) {
      for (const Target& t : targets(stripTail(rel, ".plain")))
        put(t.name, writePlainTable(parseTextSource(readFile(path), file), file), path);
    } else if (endsWith(rel, ".utf")) {
      for (const Target& t : targets(stripTail(rel, ".utf")))
        put(t.name, writeUtfTable(parseTextSource(readFile(path), file)), path);
    } else if (endsWith(rel, ".help")) {
      for (const Target& t : targets(stripTail(rel, ".help"))) put(t.name, writeHelp(readFile(path), file), path);
    } else if (endsWith(rel, ".crlf")) {
      for (const Target& t : targets(stripTail(rel, ".crlf"))) put(t.name, toCrLf(readFile(path), file), path);
    } else if (endsWith(rel, ".px")) {
      Image sprite = parseSprite(readFile(path), context_.palette, file);
      for (const Target& t : targets(stripTail(rel, ".px") + ".png"))
        put(t.name, encodePng(sprite.scaled(t.size->scale)), path);
    } else if (endsWith(rel, ".gen")) {
      for (const Target& t : targets(stripTail(rel, ".gen") + ".png")) {
        const int soft = transparentEdges(relPath);
        put(t.name,
            soft > 0 ? encodePngWithAlpha(generate(relPath, *t.size, soft), soft)
                     : encodePng(generate(relPath, *t.size)),
            path);
      }
    } else if (endsWith(rel, ".font")) {
      stageFont(relPath);
    } else if (endsWith(rel, ".atlas")) {
      stageAtlas(relPath);
    } else if (endsWith(rel, ".sfx")) {
      for (const Target& t : targets(stripTail(rel, ".sfx") + ".wav"))
        put(t.name, synthesiseEffect(readFile(path), file), path);
    } else if (endsWith(rel, ".tune")) {
      for (const Target& t : targets(stripTail(rel, ".tune") + ".mod"))
        put(t.name, compileTune(readFile(path), file), path);
    } else if (const LevelFiles* levels = levelSourceOf(rel)) {
      for (const Target& t : targets(stripTail(rel, levels->sourceEnding)))
        put(t.name, levels->compile(readFile(path), file, t.name), path);
    } else if (endsWith(rel, ".same")) {
      // The output of another source under a second name, e.g. one tune shared by games.
      std::string other;
      for (const TextEntry& e : parseTextSource(readFile(path), file))
        if (e.key == "source") other = toUtf8(e.value);
      if (other.empty() || !fs::is_regular_file(context_.dataDir / other))
        throw DataError(file, 0, "source= must name a source file under data/");
      StagedFiles single = convertSingle(other);
      for (const Target& t : targets(stripTail(rel, ".same"))) put(t.name, single.begin()->second, path);
    } else if (rel.find("/") != std::string::npos && !endsWith(rel, ".md")) {
      for (const Target& t : targets(rel)) put(t.name, readBytes(path), path);
    }
  }

  // The level files of the game whose readable level source this is, if it is one.
  static const LevelFiles* levelSourceOf(const std::string& rel) {
    for (const GameRow& game : gameTable())
      for (const LevelFiles& levels : game.levels)
        if (levels.compile && !levels.sourceEnding.empty() && endsWith(rel, levels.sourceEnding)) return &levels;
    return nullptr;
  }

  // The one output of a source that has exactly one, whatever its screen-size folders.
  StagedFiles convertSingle(const std::string& rel) {
    Staged saved = std::move(staged_);
    staged_ = {};
    std::string probe = rel;
    try {
      stage(fs::path(probe));
    } catch (...) {
      staged_ = std::move(saved);
      throw;
    }
    StagedFiles out = std::move(staged_.files);
    staged_ = std::move(saved);
    if (out.size() != 1)
      throw DataError((context_.dataDir / rel).string(), 0, "a shared source must make exactly one file");
    return out;
  }

  static Bytes toCrLf(const std::string& text, const std::string& file) {
    Bytes out;
    int line = 1;
    for (char c : text) {
      if (c == '\r') continue;
      if (c == '\n') {
        out.push_back('\r');
        ++line;
      } else if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) > 0x7E) {
        throw DataError(file, line, "only printable ASCII belongs in this file");
      }
      out.push_back(static_cast<std::uint8_t>(c));
    }
    return out;
  }

  // A picture that text is drawn over keeps this percentage of its brightness (the key colour stays).
  static void darken(Image& picture, int percent) {
    if (percent < 1 || percent > 100) throw std::runtime_error("dim is a percentage from 1 to 100");
    for (int y = 0; y < picture.height(); ++y)
      for (int x = 0; x < picture.width(); ++x)
        if (Rgb c = picture.at(x, y); c != kKeyColour)
          picture.set(x, y, rgb(red(c) * percent / 100, green(c) * percent / 100, blue(c) * percent / 100));
  }

  // A picture for the desktop (`transparent=N`): drawn N times as large, its key colour transparent, its
  // edges soft. 0 for the device's pictures, which key the colour instead.
  int transparentEdges(const fs::path& rel) {
    const std::map<std::string, std::string> params = keyValues(rel);
    auto it = params.find("transparent");
    if (it == params.end()) return 0;
    try {
      if (const int n = std::stoi(it->second); n >= 1 && n <= 8) return n;
    } catch (const std::exception&) {
    }
    throw DataError((context_.dataDir / rel).string(), 0, "transparent is a reduction from 1 to 8");
  }

  Image generate(const fs::path& rel, const ScreenSize& size, int oversample = 1) {
    fs::path path = context_.dataDir / rel;
    GenRequest request{context_, size, keyValues(rel), path.string(), oversample};
    auto it = request.params.find("generator");
    if (it == request.params.end()) throw DataError(path.string(), 0, "no generator= line");
    Generator generator = findGenerator(it->second);
    if (!generator) throw DataError(path.string(), 0, "no generator named " + it->second);
    try {
      Image picture = generator(request);
      if (auto dim = request.params.find("dim"); dim != request.params.end()) darken(picture, request.intParam("dim"));
      return picture;
    } catch (const DataError&) {
      throw;
    } catch (const std::exception& e) {
      throw DataError(path.string(), 0, e.what());
    }
  }

  void stageFont(const fs::path& rel) {
    const FontStyle& style = context_.fonts.at(stripTail(generic(rel), ".font"));
    std::string base = stripTail(generic(rel), ".font");
    for (const Target& t : targets(base)) {
      std::vector<FontPage> pages = renderer_.renderPages(style, context_.charset, t.size->scale);
      if (pages.size() > 10) throw DataError((context_.dataDir / rel).string(), 0, "more than 10 pages");
      for (size_t i = 0; i < pages.size(); ++i) {
        put(t.name + "/font_" + std::to_string(i) + ".png", encodePng(pages[i].picture), rel);
        put(t.name + "/font_" + std::to_string(i), writeFontMetrics(pages[i]), rel);
      }
    }
  }

  // An atlas folder "NAME.atlas" holds one source per sprite, named by its key: "key.px" is
  // pixel art (scaled with the screen), "key.gen" a generated picture (drawn at full size).
  void stageAtlas(const fs::path& rel) {
    std::vector<fs::path> parts;
    for (const auto& entry : fs::directory_iterator(context_.dataDir / rel))
      if (entry.is_regular_file() && entry.path().filename().string().front() != '.') parts.push_back(entry.path());
    std::sort(parts.begin(), parts.end());
    std::string base = stripTail(generic(rel), ".atlas");
    for (const Target& t : targets(base)) {
      std::vector<AtlasSprite> sprites;
      for (const fs::path& part : parts) {
        std::string name = part.filename().string();
        if (endsWith(name, ".px"))
          sprites.push_back({stripTail(name, ".px"),
                             parseSprite(readFile(part), context_.palette, part.string()).scaled(t.size->scale)});
        else if (endsWith(name, ".gen"))
          sprites.push_back({stripTail(name, ".gen"), generate(fs::relative(part, context_.dataDir), *t.size)});
        else
          throw DataError(part.string(), 0, "an atlas holds only .px and .gen sources");
      }
      if (sprites.empty()) throw DataError((context_.dataDir / rel).string(), 0, "empty atlas");
      Atlas atlas = packAtlas(sprites, 256 * t.size->scale);
      put(t.name + ".png", encodePng(atlas.picture), rel);
      put(t.name + ".txt", writeAtlasTable(atlas), rel);
    }
  }
};

}  // namespace

std::vector<ScreenSize> readScreenSizes(const fs::path& dataDir) {
  std::vector<ScreenSize> sizes;
  fs::path folder = dataDir / "graphics";
  std::vector<fs::path> files;
  if (fs::is_directory(folder))
    for (const auto& entry : fs::directory_iterator(folder)) files.push_back(entry.path());
  std::sort(files.begin(), files.end());
  for (const fs::path& path : files) {
    // Resolution files are named "WIDTHxHEIGHT.dat.plain".
    std::string filename = path.filename().string();
    size_t x = filename.find('x');
    if (!endsWith(filename, ".dat.plain") || x == 0 || x == std::string::npos ||
        filename.find_first_not_of("0123456789") != x ||
        filename.find_first_not_of("0123456789", x + 1) != filename.size() - 10 || x + 1 == filename.size() - 10)
      continue;
    ScreenSize size;
    size.width = std::stoi(filename.substr(0, x));
    size.height = std::stoi(filename.substr(x + 1));
    for (const TextEntry& e : parseTextSource(readFile(path), path.string())) {
      if (e.key != "PATH") continue;
      std::string first = toUtf8(e.value.substr(0, e.value.find(u';')));
      if (first.empty() || first == "/")
        throw DataError(path.string(), e.line, "the first PATH entry must name the size's folder");
      size.folder = first.back() == '/' ? first.substr(0, first.size() - 1) : first;
    }
    if (size.folder.empty()) throw DataError(path.string(), 0, "no PATH");
    if (size.width % kBaseWidth != 0) throw DataError(path.string(), 0, "width must be a multiple of 240");
    size.scale = size.width / kBaseWidth;
    sizes.push_back(size);
  }
  if (sizes.empty()) throw DataError(folder.string(), 0, "no resolution file WxH.dat.plain");
  return sizes;
}

Staged stageData(const fs::path& dataDir, const std::string& fontDir) { return Stager(dataDir, fontDir).run(); }

void writeStaged(const StagedFiles& files, const fs::path& outDir) {
  fs::create_directories(outDir);
  // Files of sources that are gone, and the folders they leave empty, go too.
  std::vector<fs::path> stale;
  for (const auto& entry : fs::recursive_directory_iterator(outDir))
    if (!entry.is_directory() && !files.count(generic(fs::relative(entry.path(), outDir))))
      stale.push_back(entry.path());
  for (const fs::path& p : stale) fs::remove(p);
  for (bool removed = true; removed;) {
    removed = false;
    std::vector<fs::path> empty;
    for (const auto& entry : fs::recursive_directory_iterator(outDir))
      if (entry.is_directory() && fs::is_empty(entry.path())) empty.push_back(entry.path());
    for (const fs::path& p : empty) removed = fs::remove(p) || removed;
  }
  for (const auto& [name, data] : files) {
    fs::path target = outDir / name;
    fs::create_directories(target.parent_path());
    if (fs::exists(target) && readBytes(target) == data) continue;
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
    if (!out) throw DataError(target.string(), 0, "cannot write the file");
  }
}

}  // namespace datakit
