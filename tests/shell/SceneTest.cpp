// Golden pictures: scenes of shapes, copies and transforms whose every pixel is fixed by the rules.
#include <gtest/gtest.h>

#include "shell/Pixels.h"
#include "shell/lcdui/DGraphics.h"
#include "shell/lcdui/DImage.h"
#include "shell/raster/Raster2D.h"

using nuv::microedition::lcdui::DGraphics;
using nuv::microedition::lcdui::DGraphicsPtr;
using nuv::microedition::lcdui::DImage;
using nuv::microedition::lcdui::DImagePtr;

TEST(Scene, ShapesCopiesAndTransformsMatchTheirGoldenChecksum) {
  DImagePtr canvas = DImage::createMutableImage(97, 61);  // odd sizes on purpose
  DGraphicsPtr g = canvas->getGraphics();
  DImagePtr sprite = DImage::createMutableImage(7, 5);
  DGraphicsPtr s = sprite->getGraphics();
  for (int i = 0; i < 5; ++i) {
    s->setColorRGB(40 * i, 255 - 40 * i, 90);
    s->drawLine(0, i, 6 - i, i);
  }
  s->setColor(0xFF00FF);
  s->fillRect(5, 3, 1, 1);  // a transparent corner

  g->setColor(0x203040);
  g->fillRect(0, 0, 96, 60);
  g->setColor(0xFFFFFF);
  for (int i = 0; i < 12; ++i) g->drawLine(48, 30, i * 9 - 5, (i * 13) % 70 - 5);
  g->setColor(0xFF8000);
  g->drawRect(3, 4, 30, 20);
  g->setClip(10, 8, 70, 40);
  for (int t = 0; t < 8; ++t)
    g->drawImage(sprite, 5 + t * 10, 30 + (t % 3) * 4, DGraphics::HCENTER | DGraphics::VCENTER, t);
  g->clipRect(0, 0, 60, 60);
  g->setColor(0x00FF00);
  g->fillRect(50, 40, 30, 30);
  Raster::Internal::Raster2D::instance().circleClipped(*canvas->rasterSurface()->surface, Raster::Point{80, 50}, 14,
                                                       0xF800, Raster::Rect{0, 0, 97, 61});
  EXPECT_EQ(shelltest::checksum(*canvas->rasterSurface()->surface), 389886014u);
}
