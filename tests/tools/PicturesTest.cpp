// Pictures: PNG files, pixel art with its palette, and atlases with their tables.
#include <gtest/gtest.h>

#include "Atlas.h"
#include "DataError.h"
#include "PixelArt.h"
#include "Png.h"

using namespace datakit;

namespace {

const char* kPalette = "# test palette\nk ink #101010\nr red #E03030\nw white #FFFFFF\n";

}  // namespace

TEST(Pictures, PngKeepsEveryPixelAndTheSameBytesEachTime) {
  Image image(5, 3, 0x123456);
  image.set(0, 0, kKeyColour);
  image.set(4, 2, 0xFFFFFF);
  Bytes png = encodePng(image);
  EXPECT_EQ(encodePng(image), png);
  EXPECT_EQ(decodePng(png), image);
  PngInfo info;
  ASSERT_TRUE(readPngInfo(png, info));
  EXPECT_EQ(info.width, 5);
  EXPECT_EQ(info.height, 3);
  EXPECT_EQ(info.colourType, 2);  // RGB, no alpha: the device ignores alpha
  EXPECT_THROW(decodePng(Bytes(png.begin(), png.begin() + 40)), std::runtime_error);
}

// The desktop's pictures carry alpha: the key colour is transparent, and a block of a picture drawn larger
// becomes one pixel as opaque as its share of drawn pixels, in their mean colour.
TEST(Pictures, DesktopPicturesTurnTheKeyColourTransparentWithSoftEdges) {
  Image drawn(4, 2, 0x204060);
  drawn.set(0, 0, kKeyColour);  // the first block: one of four pixels keyed
  drawn.set(1, 1, 0x406080);
  for (int x = 2; x < 4; ++x)
    for (int y = 0; y < 2; ++y) drawn.set(x, y, kKeyColour);  // the second: all keyed
  std::vector<std::uint8_t> alpha;
  const Image reduced = decodePng(encodePngWithAlpha(drawn, 2), &alpha);
  ASSERT_EQ(reduced.width(), 2);
  ASSERT_EQ(reduced.height(), 1);
  EXPECT_EQ(alpha, (std::vector<std::uint8_t>{191, 0}));
  EXPECT_EQ(reduced.at(0, 0), 0x2B4B6Bu);  // the mean of its three drawn pixels
  PngInfo info;
  ASSERT_TRUE(readPngInfo(encodePngWithAlpha(drawn, 1), info));
  EXPECT_EQ(info.colourType, 6);  // RGBA
  decodePng(encodePngWithAlpha(drawn, 1), &alpha);
  EXPECT_EQ(alpha, (std::vector<std::uint8_t>{0, 255, 0, 0, 255, 255, 0, 0}));
  // A picture without alpha reads as opaque.
  decodePng(encodePng(drawn), &alpha);
  EXPECT_EQ(alpha, std::vector<std::uint8_t>(8, 255));
  EXPECT_THROW(encodePngWithAlpha(drawn, 3), std::runtime_error);
}

TEST(Pictures, SpritesAreReadFromPaletteLetters) {
  Palette palette = Palette::parse(kPalette, "p");
  Image sprite = parseSprite("# a sprite\n.k.\nkrk\n.w.\n", palette, "s.px");
  ASSERT_EQ(sprite.width(), 3);
  ASSERT_EQ(sprite.height(), 3);
  EXPECT_EQ(sprite.at(0, 0), kKeyColour);
  EXPECT_EQ(sprite.at(1, 1), 0xE03030u);
  EXPECT_EQ(sprite.at(1, 2), 0xFFFFFFu);
}

TEST(Pictures, PaletteAndSpriteFaultsNameTheirLine) {
  struct Case {
    const char* palette;
    const char* sprite;
    int line;
  };
  const Case cases[] = {
      {"k ink #101010\nk red #E03030\n", nullptr, 2},   // letter twice
      {"k ink #101010\nm pink #FF00FF\n", nullptr, 2},  // would turn transparent
      {"k ink 101010\n", nullptr, 1},
      {kPalette, "kk\nkkk\n", 2},  // ragged row
      {kPalette, "# c\nkq\n", 2},  // letter not in the palette
  };
  for (const Case& c : cases) {
    try {
      Palette p = Palette::parse(c.palette, "p");
      if (c.sprite) parseSprite(c.sprite, p, "s");
      ADD_FAILURE() << "accepted";
    } catch (const DataError& e) {
      EXPECT_EQ(e.line(), c.line);
    }
  }
}

TEST(Pictures, AtlasPlacesEverySpriteApartInsideThePicture) {
  std::vector<AtlasSprite> sprites;
  for (int i = 0; i < 12; ++i)
    sprites.push_back({"s" + std::to_string(i) + ".png", Image(10 + i * 7, 5 + (i % 4) * 9, 0x010101u * (i + 1))});
  Atlas atlas = packAtlas(sprites, 64);
  ASSERT_EQ(atlas.rects.size(), sprites.size());
  for (size_t i = 0; i < sprites.size(); ++i) {
    const AtlasRect& r = atlas.rects[i];
    EXPECT_EQ(r.key, sprites[i].key);
    ASSERT_LE(r.x + r.w, atlas.picture.width());
    ASSERT_LE(r.y + r.h, atlas.picture.height());
    EXPECT_EQ(atlas.picture.cropped(r.x, r.y, r.w, r.h), sprites[i].image) << r.key;
    for (size_t j = 0; j < i; ++j) {
      const AtlasRect& o = atlas.rects[j];
      bool apart = r.x + r.w < o.x + 1 || o.x + o.w < r.x + 1 || r.y + r.h < o.y + 1 || o.y + o.h < r.y + 1;
      EXPECT_TRUE(apart) << r.key << " touches " << o.key;
    }
  }
  Bytes written = writeAtlasTable(atlas);
  std::string table(written.begin(), written.end());
  EXPECT_EQ(table.substr(0, table.find("\r\n") + 2),
            "s0.png;" + std::to_string(atlas.rects[0].x) + ";" + std::to_string(atlas.rects[0].y) + ";10;5\r\n");
  EXPECT_THROW(writeAtlasTable({Image(1, 1), {{"a;b", 0, 0, 1, 1}}}), std::invalid_argument);
}
