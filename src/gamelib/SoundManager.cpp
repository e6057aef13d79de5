// Playing a screen's sounds by id, and the effect and music levels over the mixer's master volumes.
#include "gamelib/SoundManager.h"

#include <iterator>

#include "core/lang/DExceptionBase.h"
#include "gamelib/GameLib.h"
#include "gamelib/GameMenu.h"
#include "gamelib/ResourceDamage.h"
#include "sound/DManager.h"

namespace gamelib {

using nuv::io::DInputStreamPtr;
using nuv::lang::catchException;
using nuv::lang::DExceptionBase;
using nuv::lang::DStringArrayPtr;
using nuv::lang::DStringPtr;
using nuv::microedition::media::DManager;
using nuv::microedition::media::DPlayer;
using nuv::microedition::media::DPlayerArray;
using nuv::microedition::media::DPlayerPtr;
namespace ExceptionCode = nuv::lang::ExceptionCode;

namespace {

struct SoundFormat {
  const char16_t* extension;
  const char16_t* contentType;
};
constexpr SoundFormat kFormats[] = {{u".wav", u"audio/x-wav"}, {u".mod", u"audio/mod"}};

// Master volume of each level 0..3; the mixer's volumes run 0 to 64.
constexpr int32_t kLevelVolume[] = {0, 21, 42, 64};
constexpr int32_t kLevelCount = SoundManager::kLevels;
static_assert(std::size(kLevelVolume) == kLevelCount);

int32_t levelOfVolume(int32_t volume) {
  if (volume == 0) return 0;
  if (volume <= kLevelVolume[1]) return 1;  // negative volumes included
  if (volume <= kLevelVolume[2]) return 2;
  if (volume <= kLevelVolume[3]) return 3;
  return -1;
}

void stopAndRewind(DPlayer& player) {
  player.stop();
  player.setMediaTime(0);
}

}  // namespace

void SoundManager::loadSounds(DStringArrayPtr names) {
  stopAll();
  players = nullptr;
  current = nullptr;
  players = new DPlayerArray(names->length);
  for (int32_t i = 0; i < names->length; ++i) (*players)[i] = loadPlayer((*names)[i]);
}

DPlayerPtr SoundManager::loadPlayer(DStringPtr name) {
  for (const SoundFormat& format : kFormats) {
    DStringPtr entry = name + format.extension;
    DInputStreamPtr stream = GameLib::loadFile(entry);
    if (stream.isNull()) continue;
    // A sound that is there but cannot be played is damage to it.
    DPlayerPtr player = ResourceDamage::reading(entry, [&] {
      DPlayerPtr made = DManager::createPlayer(stream, format.contentType);
      if (!made.isNull()) made->prefetch();
      return made;
    });
    if (!player.isNull()) return player;
  }
  return nullptr;
}

void SoundManager::play(int32_t id, int32_t loops, int32_t pan) {
  if (players.isNull()) return;
  DPlayerPtr player = (*players)[id];
  if (player.isNull()) return;
  loopCount = loops;
  startPlayer(player, pan);
}

bool SoundManager::startPlayer(DPlayerPtr player, int32_t pan) {
  try {
    if (player->isMusic == 0 && !sfxOn) return false;
    if (player->isMusic == 1 && player->isPlaying() != 0) return false;
    player->setLoopCount(loopCount);
    player->setPan(pan);
    player->start();
    current = player;
    return true;
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::Exception);
    current = player;
    stopCurrent();
    return false;
  }
}

bool SoundManager::isPlaying() {
  if (current.isNull()) return false;
  if (loopCount == -1) return true;
  return current->getState() == DPlayer::STARTED;
}

void SoundManager::stopCurrent() {
  if (current.isNull()) return;
  try {
    if (current->getState() == DPlayer::STARTED) stopAndRewind(*current);
  } catch (DExceptionBase* e) {
    catchException(e, ExceptionCode::MediaException);
  }
  current = nullptr;
}

void SoundManager::stop(int32_t id) {
  if (players.isNull() || id < 0 || id >= players->length) return;
  DPlayerPtr player = (*players)[id];
  if (!player.isNull()) stopAndRewind(*player);
}

void SoundManager::stopAll() {
  if (!players.isNull()) {
    for (int32_t i = 0; i < players->length; ++i) {
      DPlayerPtr player = (*players)[i];
      if (!player.isNull()) stopAndRewind(*player);
    }
  }
  DManager::stopAll();
}

void SoundManager::pauseAll() { DManager::pauseAll(); }

void SoundManager::resumeAll() { DManager::resumeAll(); }

void SoundManager::release() {
  stopAll();
  players = nullptr;
}

void SoundManager::setSfxLevel(int32_t level) {
  sfxOn = level != 0;
  if (level >= 0 && level < kLevelCount) DManager::setSoundVolume(kLevelVolume[level]);
}

int32_t SoundManager::getSfxLevel() { return levelOfVolume(DManager::getSoundVolume()); }

void SoundManager::setMusicLevel(int32_t level) {
  if (level >= 0 && level < kLevelCount) DManager::setMusicVolume(kLevelVolume[level]);
}

int32_t SoundManager::getMusicLevel() { return levelOfVolume(DManager::getMusicVolume()); }

void SoundManager::loadLevels(const DStringPtr& gameKey) {
  setSfxLevel(GameMenu::loadOption(gameKey + kSfxLevelOption, kDefaultLevel, 0, kLevels - 1));
  setMusicLevel(GameMenu::loadOption(gameKey + kMusicLevelOption, kDefaultLevel, 0, kLevels - 1));
}

}  // namespace gamelib
