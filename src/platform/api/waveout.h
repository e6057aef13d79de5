// Wave-out audio as the handheld offers it: a device fed with queued buffers, each returned through a
// callback once it has played.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/types.h"

using MMRESULT = UINT;
using DWORD_PTR = uintptr_t;
using HWAVEOUT = struct HWAVEOUT__*;

inline constexpr MMRESULT MMSYSERR_NOERROR = 0;
inline constexpr MMRESULT MMSYSERR_ERROR = 1;
inline constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
inline constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
inline constexpr MMRESULT MMSYSERR_NODRIVER = 6;
inline constexpr MMRESULT MMSYSERR_NOMEM = 7;
inline constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
inline constexpr MMRESULT WAVERR_BADFORMAT = 32;
inline constexpr MMRESULT WAVERR_STILLPLAYING = 33;
inline constexpr MMRESULT WAVERR_UNPREPARED = 34;

inline constexpr WORD WAVE_FORMAT_PCM = 1;
inline constexpr DWORD CALLBACK_NULL = 0;
inline constexpr DWORD CALLBACK_FUNCTION = 0x30000;

inline constexpr UINT WOM_OPEN = 0x3BB;
inline constexpr UINT WOM_CLOSE = 0x3BC;
inline constexpr UINT WOM_DONE = 0x3BD;

inline constexpr DWORD WHDR_DONE = 0x01;
inline constexpr DWORD WHDR_PREPARED = 0x02;
inline constexpr DWORD WHDR_INQUEUE = 0x10;

inline constexpr UINT TIME_MS = 0x01;
inline constexpr UINT TIME_BYTES = 0x04;

struct WAVEFORMATEX {
  WORD wFormatTag;
  WORD nChannels;
  DWORD nSamplesPerSec;
  DWORD nAvgBytesPerSec;
  WORD nBlockAlign;
  WORD wBitsPerSample;
  WORD cbSize;
};

struct WAVEHDR {
  char* lpData;
  DWORD dwBufferLength;
  DWORD dwBytesRecorded;
  DWORD_PTR dwUser;
  DWORD dwFlags;
  DWORD dwLoops;
  WAVEHDR* lpNext;
  DWORD_PTR reserved;
};

struct MMTIME {
  UINT wType;
  union {
    DWORD ms;
    DWORD cb;
  } u;
};

// Called with WOM_OPEN, WOM_DONE (parameter 1 is the WAVEHDR*) and WOM_CLOSE; WOM_DONE comes from the
// device's own thread.
using WAVEOUTPROC = void (*)(HWAVEOUT device, UINT message, DWORD_PTR instance, DWORD_PTR parameter1,
                             DWORD_PTR parameter2);

UINT waveOutGetNumDevs();
MMRESULT waveOutOpen(HWAVEOUT* device, UINT deviceId, const WAVEFORMATEX* format, DWORD_PTR callback,
                     DWORD_PTR instance, DWORD flags);
MMRESULT waveOutPrepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
MMRESULT waveOutUnprepareHeader(HWAVEOUT device, WAVEHDR* header, UINT size);
MMRESULT waveOutWrite(HWAVEOUT device, WAVEHDR* header, UINT size);
MMRESULT waveOutPause(HWAVEOUT device);
MMRESULT waveOutRestart(HWAVEOUT device);
// Returns every queued buffer as done and sets the position back to 0.
MMRESULT waveOutReset(HWAVEOUT device);
MMRESULT waveOutGetPosition(HWAVEOUT device, MMTIME* time, UINT size);
// Fails with WAVERR_STILLPLAYING while buffers are queued.
MMRESULT waveOutClose(HWAVEOUT device);

namespace platform {

// Chooses the audio output: "null" (a silent device that consumes buffers in real time), "sdl" (the
// desktop's sound), "none" (no device at all), or "" to pick automatically: the desktop's sound when
// there is any, else the null device. The environment variable GLIMMERHUT_AUDIO gives the first choice.
void setAudioDriver(const std::string& name);
// Whether setAudioDriver knows the name.
bool isAudioDriver(std::string_view name);
// The driver the last successful waveOutOpen used.
std::string lastAudioDriver();

}  // namespace platform
