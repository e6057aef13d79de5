// The stand-in's wave-out device on the null output: buffers play in real time and come back done.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/api/sync.h"
#include "platform/api/waveout.h"

namespace {

struct Completions {
  std::atomic<int> done{0};
};

void CALLBACK_onDone(HWAVEOUT, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
  if (message == WOM_DONE) ++reinterpret_cast<Completions*>(instance)->done;
}

WAVEFORMATEX pcm(DWORD rate, WORD bits, WORD channels) {
  WORD align = static_cast<WORD>(bits / 8 * channels);
  return {WAVE_FORMAT_PCM, channels, rate, rate * align, align, bits, 0};
}

class WaveOutTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::setAudioDriver("null"); }
  void TearDown() override { platform::setAudioDriver("null"); }
};

}  // namespace

TEST_F(WaveOutTest, NullDeviceConsumesBuffersInRealTime) {
  Completions c;
  WAVEFORMATEX format = pcm(8000, 8, 1);
  HWAVEOUT device = nullptr;
  ASSERT_EQ(waveOutGetNumDevs(), 1u);
  ASSERT_EQ(waveOutOpen(&device, 0, &format, reinterpret_cast<DWORD_PTR>(CALLBACK_onDone),
                        reinterpret_cast<DWORD_PTR>(&c), CALLBACK_FUNCTION),
            MMSYSERR_NOERROR);
  EXPECT_EQ(platform::lastAudioDriver(), "null");

  // Two 40 ms buffers.
  std::vector<char> memory(640, 0x7F);
  WAVEHDR headers[2] = {};
  for (int i = 0; i < 2; ++i) {
    headers[i].lpData = memory.data() + i * 320;
    headers[i].dwBufferLength = 320;
    EXPECT_EQ(waveOutWrite(device, &headers[i], sizeof(WAVEHDR)), WAVERR_UNPREPARED);
    ASSERT_EQ(waveOutPrepareHeader(device, &headers[i], sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  }
  auto start = std::chrono::steady_clock::now();
  waveOutWrite(device, &headers[0], sizeof(WAVEHDR));
  waveOutWrite(device, &headers[1], sizeof(WAVEHDR));
  EXPECT_EQ(waveOutUnprepareHeader(device, &headers[0], sizeof(WAVEHDR)), WAVERR_STILLPLAYING);
  EXPECT_EQ(waveOutClose(device), WAVERR_STILLPLAYING);
  while (c.done.load() < 2) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(75));
  EXPECT_TRUE(headers[1].dwFlags & WHDR_DONE);

  MMTIME position{TIME_MS, {0}};
  waveOutGetPosition(device, &position, sizeof(position));
  EXPECT_EQ(position.u.ms, 80u);

  // Paused, a written buffer waits; restarted, it plays.
  waveOutPause(device);
  waveOutWrite(device, &headers[0], sizeof(WAVEHDR));
  std::this_thread::sleep_for(std::chrono::milliseconds(80));
  EXPECT_EQ(c.done.load(), 2);
  waveOutRestart(device);
  while (c.done.load() < 3) std::this_thread::sleep_for(std::chrono::milliseconds(1));

  // Reset returns queued buffers at once and the position goes back to 0.
  waveOutPause(device);
  waveOutWrite(device, &headers[1], sizeof(WAVEHDR));
  EXPECT_EQ(waveOutReset(device), MMSYSERR_NOERROR);
  EXPECT_EQ(c.done.load(), 4);
  waveOutGetPosition(device, &position, sizeof(position));
  EXPECT_EQ(position.u.ms, 0u);

  for (WAVEHDR& h : headers) EXPECT_EQ(waveOutUnprepareHeader(device, &h, sizeof(WAVEHDR)), MMSYSERR_NOERROR);
  EXPECT_EQ(waveOutClose(device), MMSYSERR_NOERROR);
}

TEST_F(WaveOutTest, RefusesBadFormatsAndMissingDevices) {
  HWAVEOUT device = nullptr;
  struct Case {
    WAVEFORMATEX format;
    MMRESULT expected;
  } cases[] = {
      {pcm(44100, 12, 2), WAVERR_BADFORMAT},
      {pcm(44100, 16, 3), WAVERR_BADFORMAT},
      {{WAVE_FORMAT_PCM, 2, 44100, 1000, 4, 16, 0}, WAVERR_BADFORMAT},
  };
  for (const Case& c : cases) EXPECT_EQ(waveOutOpen(&device, 0, &c.format, 0, 0, 0), c.expected);
  WAVEFORMATEX good = pcm(22050, 16, 2);
  EXPECT_EQ(waveOutOpen(&device, 1, &good, 0, 0, 0), MMSYSERR_BADDEVICEID);
  platform::setAudioDriver("none");
  EXPECT_EQ(waveOutGetNumDevs(), 0u);
  EXPECT_EQ(waveOutOpen(&device, 0, &good, 0, 0, 0), MMSYSERR_BADDEVICEID);
}
