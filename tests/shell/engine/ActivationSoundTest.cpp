// The window's focus change holds the sound output with the MIDlet and lets it go on where it was.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <optional>
#include <thread>

#include "core/io/DByteArrayInputStream.h"
#include "platform/api/waveout.h"
#include "platform/host/desktop.h"
#include "shell/CGameEngine.h"
#include "shell/engine/TestMIDlet.h"
#include "sound/DManager.h"
#include "sound/SoundFixtures.h"
#include "support/NullSound.h"

namespace {

using nuv::microedition::media::DManager;
using nuv::microedition::media::DPlayer;
using nuv::microedition::media::DPlayerPtr;

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

DPlayerPtr effect(int ms) {
  soundtest::Bytes wav =
      soundtest::makeWav(16, 1, 22050, soundtest::pcm16(std::vector<int16_t>(22050 * ms / 1000, 3000)));
  nuv::lang::DbyteArrayPtr array = new nuv::lang::DbyteArray(static_cast<int32_t>(wav.size()));
  for (size_t i = 0; i < wav.size(); ++i) (*array)[static_cast<int32_t>(i)] = static_cast<int8_t>(wav[i]);
  return DManager::createPlayer(new nuv::io::DByteArrayInputStream(array), u"audio/x-wav");
}

// An engine with a MIDlet and the sound started on the null device; no window.
class ActivationSoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::setHeadless(true);
    engine_ = std::make_unique<CGameEngine>();
    midlet_ = new test::TestMIDlet();
    engine_->midlet = midlet_;
    engine_->display = new nuv::microedition::lcdui::DDisplay(nullptr);
    sound_.emplace();
  }
  void TearDown() override {
    sound_.reset();
    engine_->shutdown();
    engine_.reset();
    platform::setAudioDriver("");
  }
  void activate(bool active) { CGameEngine::WndProc(nullptr, WM_ACTIVATE, active ? WA_ACTIVE : WA_INACTIVE, 0); }

  std::unique_ptr<CGameEngine> engine_;
  nuv::lang::DPtr<test::TestMIDlet> midlet_;
  std::optional<test::NullSound> sound_;
};

}  // namespace

TEST_F(ActivationSoundTest, LosingTheForegroundHoldsTheSoundAndRegainingItGoesOn) {
  ASSERT_TRUE(DManager::isSoundStarted());
  DPlayerPtr sound = effect(3000);
  sound->start();
  for (int i = 0; i < 2000 && sound->getMediaTime() <= 0; ++i) sleepMs(1);
  ASSERT_GT(sound->getMediaTime(), 0);

  activate(false);
  sleepMs(50);  // a buffer taken just before the pause may still be mixed
  int64_t held = sound->getMediaTime();
  sleepMs(250);
  EXPECT_EQ(sound->getMediaTime(), held);
  EXPECT_EQ(sound->isPlaying(), 1);

  activate(true);
  for (int i = 0; i < 2000 && sound->getMediaTime() <= held; ++i) sleepMs(1);
  EXPECT_GT(sound->getMediaTime(), held);
  EXPECT_EQ(sound->getState(), DPlayer::STARTED);
}
