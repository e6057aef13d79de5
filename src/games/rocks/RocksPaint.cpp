// Painting of the space-rocks game: the menu or the key set-up, else the tiled background, the star
// layers, shots, rockets, rocks and saucers, then the bursts, the ship, a caption and the panels.
#include "core/lang/DInteger.h"
#include "gamelib/GameApi.h"
#include "games/rocks/Rocks.h"

namespace rocks {

using namespace gamelib::api;

namespace {

constexpr int32_t kSpace = 0x000000;
// Where the numbers sit in their panels: the score 4/63 of its panel from the right, the lives at 40/48
// of theirs; both 3/30 of the panel's height down.
constexpr int32_t kScoreInset = 4;
constexpr int32_t kScorePanelUnits = 63;
constexpr int32_t kLivesRight = 40;
constexpr int32_t kLifePanelUnits = 48;
constexpr int32_t kNumberDrop = 3;
constexpr int32_t kPanelHeightUnits = 30;
// The large saucer blinks with its frame, and shows three marks of damage as its hit points go.
constexpr int32_t kDamageMarks = 3;
constexpr int32_t kDamageOffsets[kDamageMarks][2] = {{17, 27}, {24, 4}, {2, 15}};
constexpr int32_t kRingQuarters = 7;
constexpr int32_t kDebrisLife = 13;

// The integer part of a 16.16 value, as a signed 16-bit number.
int32_t wholePixels(int32_t fixed) { return static_cast<int16_t>(static_cast<uint32_t>(fixed) >> 16); }

}  // namespace

void Rocks::paint() {
  DGraphics& g = *GameLib::graphics;
  switch (gameState) {
    case STATE_MENU:
    case STATE_KEY_SETUP:
      menuFlow->paint();
      return;
    default:
      break;
  }
  paintBackground();
  paintStars();
  if (gameState == STATE_GAME_OVER) {
    paintHud(gameOverText);
    return;
  }
  if (gameState == STATE_LEVEL_DONE) {
    paintHud(youWinText);
    return;
  }
  paintObjects(shots, shotCount);
  paintObjects(rockets, rockets->length);
  paintObjects(rockArray, rockArray->length);
  paintSaucers();
  DStringPtr banner;
  if (gameState == STATE_LEVEL_INTRO) banner = ((u"**" + levelText + u" ") + level) + u"**";
  paintHud(banner);
  const auto& pause = GameMenu::pauseImage;
  if (!pause.isNull()) {
    g.drawImageOpaque(pause, GameLib::screenWidth, GameLib::screenHeight, DGraphics::BOTTOM_RIGHT, 0);
  }
}

void Rocks::paintBackground() {
  DGraphics& g = *GameLib::graphics;
  const int32_t sw = GameLib::screenWidth, sh = GameLib::screenHeight;
  // A picture that never loaded is not tiled: the field is plain space then.
  if (background.isNull() || background->getWidth() < 1 || background->getHeight() < 1) {
    g.setColor(kSpace);
    g.fillRect(0, 0, sw, sh);
    return;
  }
  const int32_t w = background->getWidth(), h = background->getHeight();
  const int32_t topLeft = DGraphics::TOP_LEFT;
  for (int32_t y = -wholePixels(backgroundY); y < sh; y += h) {
    for (int32_t x = -wholePixels(backgroundX); x < sw; x += w) g.drawImageOpaque(background, x, y, topLeft, 0);
  }
}

void Rocks::paintStars() {
  if (stars.isNull()) return;
  DGraphics& g = *GameLib::graphics;
  for (int32_t layer = 0; layer < starLayers; ++layer) {
    g.setColor((*starColours)[layer]);
    for (int32_t i = layer * starsPerLayer; i < (layer + 1) * starsPerLayer; ++i) {
      const int32_t* star = (*stars)[i]->data();
      const int32_t x = wholePixels(star[0]), y = wholePixels(star[1]);
      g.drawLine(x, y, x, y);
    }
  }
}

void Rocks::paintObjects(FlyingOArrayPtr objects, int32_t count) {
  for (int32_t i = 0; i < count; ++i) {
    FlyingOPtr object = (*objects)[i];
    if (object.isNull() || object->imageName.isNull()) continue;
    GameImagePtr image = GameImage::create(object->imageName);
    if (!image.isNull()) object->paint(image, image->w, image->h);
  }
}

void Rocks::paintSaucers() {
  for (int32_t i = 0; i < ufos->length; ++i) {
    FlyingOPtr saucer = (*ufos)[i];
    if (saucer.isNull() || saucer->imageName.isNull()) continue;
    const bool big = saucer->kind == FlyingO::KIND_BIG_SAUCER;
    GameImagePtr body = GameImage::create(big ? saucer->imageName : saucer->imageName + saucer->frame);
    if (body.isNull()) continue;
    if (!saucer->paint(body, body->w, body->h) || !big) continue;
    GameImagePtr blink = GameImage::create(DStringPtr(data::kBigSaucerBlink) + saucer->frame % 2);
    if (blink.isNull()) continue;
    saucer->paint(blink, blink->w, blink->h);
    const int32_t left = saucer->x - blink->w / 2, top = saucer->y - blink->h / 2;
    for (int32_t mark = 0; mark < kDamageMarks && saucer->hitPoints < kDamageMarks + 1 - mark; ++mark) {
      GameImagePtr damage = GameImage::create(data::kBigSaucerDamage[mark]);
      if (!damage.isNull()) GameImage::draw(left + kDamageOffsets[mark][0], top + kDamageOffsets[mark][1], damage);
    }
  }
}

void Rocks::paintHud(DStringPtr caption) {
  const int32_t sw = GameLib::screenWidth, sh = GameLib::screenHeight;
  for (int32_t i = 0; i < burstCount; ++i) {
    if ((*(*particleSlots)[i])[BURST_PHASE] >= 0) paintParticles(i, 1);
  }
  ship->paint();
  if (!caption.isNull()) drawText(caption, sw / 2, sh / 2, DGraphics::BASELINE_CENTRE);
  ImageFontPtr numbers = GameLib::font(GameLib::FONT_NUM1);
  if (!lifePanel.isNull()) {
    GameImage::draw(0, 0, lifePanel);
    numbers->drawStringOnScreen(nuv::lang::DInteger::toString(ship->lives),
                                lifePanel->w * kLivesRight / kLifePanelUnits,
                                lifePanel->h * kNumberDrop / kPanelHeightUnits, DGraphics::TOP_RIGHT);
  }
  if (!scorePanel.isNull()) {
    GameImage::draw(sw - scorePanel->w, 0, scorePanel);
    numbers->drawStringOnScreen(nuv::lang::DInteger::toString(score),
                                sw - scorePanel->w * kScoreInset / kScorePanelUnits,
                                scorePanel->h * kNumberDrop / kPanelHeightUnits, DGraphics::TOP_RIGHT);
  }
}

void Rocks::drawText(DStringPtr text, int32_t x, int32_t y, int32_t anchor) {
  GameLib::font(GameLib::FONT_HUD1)->drawStringOnScreen(text, x, y, anchor);
}

void Rocks::paintParticles(int32_t row, int32_t flag) {
  if (flag == 0 || burstCount == 0) return;
  const int32_t sw = GameLib::screenWidth, sh = GameLib::screenHeight;
  DintArray2d& records = *particles;
  const int32_t b = kRecordsPerBurst * row;

  const int32_t* ring = records[b]->data();
  const int32_t s = ring[P_STATE];
  const int32_t q = s % 3 - 1;
  if (s >= 0 && s / 3 < kRingQuarters && q >= 0 && q < waveImages->length) {
    const int32_t f = s / 3, x = ring[P_X], y = ring[P_Y];
    GameImageArray& pictures = *(*waveImages)[q];
    GameImagePtr upperLeft = pictures[f];
    if (!upperLeft.isNull()) {
      const int32_t w = upperLeft->w, h = upperLeft->h;
      // The one quarter picture turned into the other three, around the centre.
      if (x > 0 && x - w < sw && y + h > 0 && y < sh && !pictures[f + 7].isNull())
        GameImage::draw(x - w, y, pictures[f + 7]);
      if (x > 0 && x - w < sw && y > 0 && y - h < sh) GameImage::draw(x - w, y - h, upperLeft);
      if (x + w > 0 && x < sw && y > 0 && y - h < sh && !pictures[f + 14].isNull())
        GameImage::draw(x, y - h, pictures[f + 14]);
      if (x + w > 0 && x < sw && y + h > 0 && y < sh && !pictures[f + 21].isNull())
        GameImage::draw(x, y, pictures[f + 21]);
    }
  }

  auto centred = [&](const GameImagePtr& picture, int32_t x, int32_t y) {
    if (picture.isNull()) return;
    const int32_t left = x - (picture->w >> 1), top = y - (picture->h >> 1);
    if (left < sw && left + picture->w > 0 && top < sh && top + picture->h > 0) GameImage::draw(left, top, picture);
  };
  for (int32_t r = b + 5; r < b + kRecordsPerBurst; ++r) {
    const int32_t* p = records[r]->data();
    if (p[P_STATE] < 0) continue;
    const int32_t picture = r < b + 10 ? 0 : p[P_STATE];
    if (picture < bpImages->length) centred((*bpImages)[picture], p[P_X], p[P_Y]);
  }
  for (int32_t r = b + 1; r < b + 5; ++r) {
    const int32_t* p = records[r]->data();
    if (p[P_STATE] >= 0 && p[P_STATE] < kDebrisLife) centred((*pImages)[p[P_STATE]], p[P_X], p[P_Y]);
  }
}

}  // namespace rocks
