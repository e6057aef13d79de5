// Review renderings: contact sheets of the pictures and fonts, mock screens, and sound files.
#include "Review.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>

#include "Fonts.h"
#include "GameTable.h"
#include "Image.h"
#include "Mod.h"
#include "Png.h"
#include "Stage.h"
#include "TextTables.h"
#include "Wav.h"
#include "app/GameList.h"
#include "gamelib/PageLayout.h"

namespace fs = std::filesystem;

namespace datakit {

namespace {

void writeFile(const fs::path& path, const Bytes& data) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

// Key-coloured pixels shown as a checkerboard, so transparency reads at a glance.
Image showKey(const Image& in) {
  Image out = in;
  for (int y = 0; y < in.height(); ++y)
    for (int x = 0; x < in.width(); ++x)
      if (in.at(x, y) == kKeyColour) out.set(x, y, ((x / 4 + y / 4) & 1) ? 0x9A9A9A : 0x6A6A6A);
  return out;
}

// A bitmap font as the program loads it: pages of glyph strips and their characters.
struct LoadedFont {
  std::vector<Image> pages;
  std::vector<std::u16string> chars;
  std::vector<std::vector<int>> widths;
  bool upper = true;
  int spacing = 0;

  bool load(const fs::path& archive, const std::string& prefix) {
    for (int p = 0; p < 10; ++p) {
      fs::path picture = archive / (prefix + "/font_" + std::to_string(p) + ".png");
      fs::path metrics = archive / (prefix + "/font_" + std::to_string(p));
      if (!fs::exists(picture) || !fs::exists(metrics)) break;
      pages.push_back(decodePng(readBytes(picture)));
      Bytes m = readBytes(metrics);
      std::u16string cs;
      std::vector<int> ws;
      size_t at = 1;
      for (int g = 0; g < static_cast<std::int8_t>(m[0]); ++g) {
        size_t len = size_t(m[at]) << 8 | m[at + 1];
        Bytes one(m.begin() + static_cast<long>(at), m.begin() + static_cast<long>(at + 2 + len));
        cs += readUtfStrings(one, metrics.string()).at(0).text;
        at += 2 + len;
        ws.push_back(static_cast<std::int8_t>(m[at++]));
      }
      chars.push_back(cs);
      widths.push_back(ws);
    }
    return !pages.empty();
  }

  int height() const { return pages.empty() ? 0 : pages[0].height(); }

  // Draws as the game library does: upper-cased, unknown characters skipped.
  int draw(Image& target, int x, int y, const std::u16string& text) const {
    for (char16_t c : text) {
      if (upper) c = upperOf(c);
      if (gamelib::drawsAsSpace(c)) {
        x += widths[0][0] + spacing;
        continue;
      }
      for (size_t p = 0; p < pages.size(); ++p) {
        size_t j = chars[p].find(c);
        if (j == std::u16string::npos) continue;
        int offset = 0;
        for (size_t k = 0; k < j; ++k) offset += widths[p][k];
        target.blit(pages[p].cropped(offset, 0, widths[p][j], pages[p].height()), x, y);
        x += widths[p][j] + spacing;
        break;
      }
    }
    return x;
  }

  int width(const std::u16string& text) const {
    Image scratch(1, 1);
    return draw(scratch, 0, -10000, text);
  }
};

struct Sheet {
  int maxWidth;
  std::vector<std::pair<std::string, Image>> items;
};

Image layout(const Sheet& sheet, FontRenderer& renderer) {
  FontStyle label;
  label.face = "DejaVuSans.ttf";
  label.pixels = 10;
  label.outlined = false;
  label.upperCase = false;
  label.fillTop = label.fillBottom = 0xE0E0E0;
  const int pad = 8;
  int x = pad, y = pad, rowHeight = 0, width = 0;
  std::vector<std::pair<int, int>> places;
  std::vector<Image> labels;
  for (const auto& [name, image] : sheet.items) {
    labels.push_back(renderer.renderText(label, std::u16string(name.begin(), name.end()), 1));
    int w = std::max(image.width(), labels.back().width()), h = image.height() + labels.back().height() + 2;
    if (x > pad && x + w > sheet.maxWidth) {
      x = pad;
      y += rowHeight + pad;
      rowHeight = 0;
    }
    places.emplace_back(x, y);
    x += w + pad;
    rowHeight = std::max(rowHeight, h);
    width = std::max(width, x);
  }
  Image out(std::max(width, 16), y + rowHeight + pad, 0x30303A);
  for (size_t i = 0; i < sheet.items.size(); ++i) {
    out.blit(labels[i], places[i].first, places[i].second);
    out.blitOpaque(showKey(sheet.items[i].second), places[i].first, places[i].second + labels[i].height() + 2);
  }
  return out;
}

std::map<std::u16string, std::u16string> utfTable(const fs::path& file) {
  std::map<std::u16string, std::u16string> t;
  for (const TableLine& l : readUtfStrings(readBytes(file), file.string()))
    if (size_t eq = l.text.find(u'='); eq != std::u16string::npos) t[l.text.substr(0, eq)] = l.text.substr(eq + 1);
  return t;
}

// The main menu as its layout rules place the icons, with the first entry's title showing.
Image mockMainMenu(const fs::path& archive, const ScreenSize& size, const LoadedFont& hud1,
                   const std::map<std::u16string, std::u16string>& texts) {
  const std::string g = "graphics/" + size.folder + "/";
  Image screen(size.width, size.height, 0);
  Image back = decodePng(readBytes(archive / (g + "menu/back.png")));
  screen.blitOpaque(back, (size.width - back.width()) / 2, (size.height - back.height()) / 2);
  Image atlas = decodePng(readBytes(archive / (g + "menu/icons.png")));
  std::map<std::string, std::array<int, 4>> rects;
  std::string table = readFile(archive / (g + "menu/icons.txt"));
  for (size_t at = 0; at < table.size();) {
    size_t end = table.find('\r', at);
    std::string line = table.substr(at, end - at);
    std::array<int, 4> r{};
    char key[64];
    if (std::sscanf(line.c_str(), "%63[^;];%d;%d;%d;%d", key, &r[0], &r[1], &r[2], &r[3]) == 5) rects[key] = r;
    at = end + 2;
  }
  static const int grid[3][4] = {{0, 1, 2, 6}, {3, 4, 5, 7}, {-1, 9, 8, -1}};
  const auto& entries = glimmerhut::kMenuNames;
  auto icon0 = rects[ascii(entries[0].icon)];
  int columnStep = icon0[2], rowStep = icon0[3] - 2, rows = 3, columns = 4;
  int cx = size.width >> 1, cy = size.height - (((rows - 1) * rowStep) >> 1) - 2 * hud1.height();
  for (int r = 0; r < rows; ++r)
    for (int c = 0; c < columns; ++c) {
      int e = grid[r][c];
      if (e < 0) continue;
      int dx = -(((columns - 1) * columnStep) >> 1) + c * columnStep;
      int dy = -((rows * rowStep) >> 1) + r * rowStep;
      auto rect = rects[ascii(r == 0 && c == 0 ? entries[e].selectedIcon : entries[e].icon)];
      screen.blit(atlas.cropped(rect[0], rect[1], rect[2], rect[3]), cx + dx - rect[2] / 2, cy + dy - rect[3] / 2);
    }
  auto title = texts.find(entries[0].titleKey);
  if (title != texts.end())
    hud1.draw(screen, (size.width - hud1.width(title->second)) / 2, size.height - hud1.height() - 2, title->second);
  return screen;
}

// The name entry as the on-screen keyboard lays it out over its three panel pictures.
Image mockKeyboard(const fs::path& archive, const ScreenSize& size, const std::vector<LoadedFont>& fonts,
                   const std::map<std::u16string, std::u16string>& texts) {
  const std::string g = "graphics/" + size.folder + "/";
  const int W = size.width, H = size.height;
  Image screen(W, H, 0);
  Image back = decodePng(readBytes(archive / (g + "menu/back.png")));
  screen.blitOpaque(back, (W - back.width()) / 2, (H - back.height()) / 2);
  Image top = decodePng(readBytes(archive / (g + "input/input_top.png")));
  Image mid = decodePng(readBytes(archive / (g + "input/input_midd.png")));
  Image bot = decodePng(readBytes(archive / (g + "input/input_bot.png")));
  const int y0 = (H - (top.height() + mid.height() + bot.height())) >> 1;
  screen.blit(top, (W >> 1) - top.width() / 2, y0);
  screen.blit(mid, (W >> 1) - mid.width() / 2, y0 + top.height());
  screen.blit(bot, (W >> 1) - bot.width() / 2, y0 + top.height() + mid.height());
  const LoadedFont &menu = fonts[0], &menusel = fonts[1], &hud0 = fonts[2], &small = fonts[6];
  const int fh = menu.height(), cellW = hud0.height() * 21 / 12, cellH = hud0.height() * 19 / 12;
  const int x = (W - cellW * 6) >> 1, y = y0 + top.height();
  auto title = texts.find(u"entername");
  if (title != texts.end())
    small.draw(screen, (W - small.width(title->second)) / 2,
               y0 + top.height() + mid.height() - 2 * fh - 4 - small.height(), title->second);
  const std::u16string keys = u"abcdefghijklmnopqrstuvwxyz-_";
  for (size_t i = 0; i <= keys.size() + 1; ++i) {
    std::u16string label = i < keys.size() ? keys.substr(i, 1) : i == keys.size() ? u"ok" : u"<-";
    const LoadedFont& f = i == 7 ? menusel : menu;
    int cx = x + static_cast<int>(i % 6) * cellW, cy = y + static_cast<int>(i / 6) * cellH;
    f.draw(screen, cx + ((cellW - menu.width(label)) >> 1), cy + ((cellH - fh) >> 1), label);
    if (i == 7) screen.drawRect(cx, cy, cellW, cellH, 0x555555);
  }
  const int textY = y0 + top.height() + mid.height() - fh - 3;
  int end = menu.draw(screen, x + 5, textY, u"player");
  screen.line(end + 1, textY + fh, end + 9, textY + fh, 0x555555);
  menu.draw(screen, 4, H - 4 - fh, u"ok");
  menu.draw(screen, W - 4 - menu.width(u"<-"), H - 4 - fh, u"<-");
  return screen;
}

void reviewSounds(const fs::path& archive, const fs::path& dir) {
  for (auto it = fs::recursive_directory_iterator(archive); it != fs::recursive_directory_iterator(); ++it) {
    std::string ext = it->path().extension().string();
    if (ext != ".wav" && ext != ".mod") continue;
    std::string rel = fs::relative(it->path(), archive).generic_string();
    Samples samples;
    int rate = 22050;
    if (ext == ".mod") {
      Bytes mod = readBytes(it->path());
      // Rebuild enough of the module to play it: the header, the patterns and the samples.
      Module m;
      int length = mod[950];
      int patterns = 1 + *std::max_element(mod.begin() + 952, mod.begin() + 952 + length);
      for (int i = 0; i < length; ++i) m.order.push_back(mod[952 + i]);
      size_t at = 1084;
      for (int p = 0; p < patterns; ++p) {
        ModPattern pattern{};
        for (auto& row : pattern)
          for (ModCell& c : row) {
            const std::uint8_t* b = mod.data() + at;
            int period = (b[0] & 0x0F) << 8 | b[1];
            c.sample = (b[0] & 0xF0) | b[2] >> 4;
            c.effect = b[2] & 0x0F;
            c.param = b[3];
            for (int n = 0; n < 84 && period; ++n)
              if (notePeriod(n) == period) c.note = n;
            at += 4;
          }
        m.patterns.push_back(pattern);
      }
      for (int i = 0; i < 31; ++i) {
        const std::uint8_t* h = mod.data() + 20 + 30 * i;
        ModSample s;
        int bytes = (h[22] << 8 | h[23]) * 2;
        s.volume = h[25];
        s.loopStart = (h[26] << 8 | h[27]) * 2;
        s.loopLength = (h[28] << 8 | h[29]) * 2;
        for (int k = 0; k < bytes; ++k) s.data.push_back(static_cast<std::int8_t>(mod[at++]));
        m.samples.push_back(s);
      }
      samples = renderMod(m, rate, 6, 50);
    } else {
      WavInfo w;
      if (!readWav(readBytes(it->path()), w)) continue;
      rate = w.rate;
      if (w.format == 2)
        samples = decodeAdpcmData(w.data, w.blockAlign, w.samplesPerBlock);
      else
        for (size_t i = 0; i + 1 < w.data.size(); i += 2)
          samples.push_back(static_cast<std::int16_t>(w.data[i] | w.data[i + 1] << 8));
    }
    double peak = 0, sum = 0;
    for (std::int16_t s : samples) {
      peak = std::max(peak, std::abs(static_cast<double>(s)));
      sum += static_cast<double>(s) * s;
    }
    double rms = samples.empty() ? 0 : std::sqrt(sum / static_cast<double>(samples.size()));
    auto db = [](double v) { return v > 0 ? 20 * std::log10(v / 32768.0) : -120.0; };
    std::printf("%-40s %6.2f s  peak %6.1f dBFS  rms %6.1f dBFS\n", rel.c_str(),
                static_cast<double>(samples.size()) / rate, db(peak), db(rms));
    writeFile(dir / "sounds" / (rel + ".wav"), writeWavPcm16(samples, rate));
  }
}

}  // namespace

int review(const fs::path& out, const fs::path& dir, const std::string& fontDir) {
  const fs::path archive = out / "archive";
  FontRenderer renderer(fontDir);
  fs::path dataDir = archive;  // resolution files are read from the staged tree
  std::vector<ScreenSize> sizes;
  for (const auto& entry : fs::directory_iterator(archive / "graphics")) {
    std::string name = entry.path().filename().string();
    if (entry.is_regular_file() && name.size() > 4 && name.substr(name.size() - 4) == ".dat") {
      ScreenSize s;
      s.width = std::stoi(name);
      s.height = std::stoi(name.substr(name.find('x') + 1));
      std::string text = readFile(entry.path());
      size_t path = text.find("PATH=");
      std::string first = text.substr(path + 5, text.find_first_of(";\r", path) - path - 5);
      s.folder = first.substr(0, first.find('/'));
      s.scale = s.width / 240;
      sizes.push_back(s);
    }
  }
  std::sort(sizes.begin(), sizes.end(), [](const ScreenSize& a, const ScreenSize& b) { return a.width < b.width; });
  std::map<std::string, std::map<std::u16string, std::u16string>> texts;
  for (const auto& entry : fs::directory_iterator(archive / "txt")) {
    std::string name = entry.path().filename().string();
    if (name.rfind("res_", 0) == 0) texts[name.substr(4, name.size() - 8)] = utfTable(entry.path());
  }
  static const char* fontNames[] = {"menu", "menusel", "hud0", "hud1", "num0", "num1", "small"};
  for (const ScreenSize& size : sizes) {
    Sheet pictures{size.width * 4, {}};
    std::vector<fs::path> files;
    for (auto it = fs::recursive_directory_iterator(archive / "graphics" / size.folder);
         it != fs::recursive_directory_iterator(); ++it)
      if (it->path().extension() == ".png") files.push_back(it->path());
    std::sort(files.begin(), files.end());
    for (const fs::path& f : files)
      pictures.items.emplace_back(
          fs::relative(f, archive / "graphics" / size.folder).generic_string() + (size.scale == 1 ? " (x2)" : ""),
          decodePng(readBytes(f)).scaled(size.scale == 1 ? 2 : 1));
    writeFile(dir / ("pictures_" + size.folder + ".png"), encodePng(layout(pictures, renderer)));

    Sheet fonts{size.width * 4, {}};
    LoadedFont hud1;
    std::vector<LoadedFont> loaded(7);
    for (int i = 0; i < 7; ++i) {
      LoadedFont font;
      if (!font.load(archive, size.folder + "/" + fontNames[i])) continue;
      font.upper = i != 6;
      font.spacing = i == 6 ? 1 : 0;
      if (i == 3) hud1 = font;
      loaded[static_cast<size_t>(i)] = font;
      std::vector<std::u16string> lines;
      for (auto& [code, t] : texts) {
        std::u16string line = std::u16string(code.begin(), code.end()) + u": ";
        for (const char16_t* key : {u"start", u"highscores", u"enable_sound", u"entername", u"musicnormal"})
          if (t.count(key)) line += t.at(key) + u"  ";
        lines.push_back(line);
      }
      lines.push_back(u"0123456789 +-*/%:.,!? ÄÖÜ ÀÉÈÊËÎÏÔÛÙÇ ß àéèêëîïôûùç ÆŒ");
      int width = 0;
      for (const auto& l : lines) width = std::max(width, font.width(l));
      Image sample(width + 8, static_cast<int>(lines.size()) * (font.height() + 2) + 4, 0x2A3A6A);
      for (size_t l = 0; l < lines.size(); ++l)
        font.draw(sample, 4, 2 + static_cast<int>(l) * (font.height() + 2), lines[l]);
      // The small screen's fonts are shown twice as large, to judge them pixel by pixel.
      fonts.items.emplace_back(std::string(fontNames[i]) + (size.scale == 1 ? " (x2)" : ""),
                               sample.scaled(size.scale == 1 ? 2 : 1));
      for (size_t p = 0; p < font.pages.size(); ++p)
        fonts.items.emplace_back(std::string(fontNames[i]) + "/font_" + std::to_string(p) + ".png", font.pages[p]);
    }
    writeFile(dir / ("fonts_" + size.folder + ".png"), encodePng(layout(fonts, renderer)));

    Sheet screens{size.width * 4, {}};
    for (auto& [code, t] : texts)
      if (hud1.height() > 0)
        screens.items.emplace_back("main menu (" + code + ")", mockMainMenu(archive, size, hud1, t));
    if (!loaded[6].pages.empty() && texts.count("de"))
      screens.items.emplace_back("name entry (de)", mockKeyboard(archive, size, loaded, texts.at("de")));
    writeFile(dir / ("screens_" + size.folder + ".png"), encodePng(layout(screens, renderer)));
  }
  if (fs::exists(out / "program"))
    for (const auto& entry : fs::directory_iterator(out / "program"))
      if (entry.path().extension() == ".png")
        fs::copy_file(entry.path(), dir / entry.path().filename(), fs::copy_options::overwrite_existing);
  reviewSounds(archive, dir);
  std::cout << "review written to " << dir.string() << '\n';
  return 0;
}

}  // namespace datakit
