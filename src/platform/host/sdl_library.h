// SDL2, loaded when the desktop window or its sound first needs it: a headless run never maps it, nor the
// sixty libraries of displays and sound servers it brings along.
#pragma once

#include <SDL.h>
#include <SDL_syswm.h>

namespace platform {

// Every SDL call the platform makes, each under SDL's name without the "SDL_" prefix.
// clang-format off
#define GH_SDL_CALLS(X)              \
  X(InitSubSystem)                   \
  X(QuitSubSystem)                   \
  X(GetError)                        \
  X(SetHint)                         \
  X(GetCurrentVideoDriver)           \
  X(GetDisplayUsableBounds)          \
  X(GetDisplayBounds)                \
  X(GetWindowDisplayIndex)           \
  X(GetWindowFlags)                  \
  X(SetWindowFullscreen)             \
  X(CreateWindow)                    \
  X(DestroyWindow)                   \
  X(ShowWindow)                      \
  X(HideWindow)                      \
  X(RaiseWindow)                     \
  X(SetWindowIcon)                   \
  X(GetWindowWMInfo)                 \
  X(GetWindowSurface)                \
  X(UpdateWindowSurface)             \
  X(UpdateWindowSurfaceRects)        \
  X(LockSurface)                     \
  X(UnlockSurface)                   \
  X(CreateRGBSurfaceWithFormatFrom)  \
  X(FreeSurface)                     \
  X(UpperBlitScaled)                 \
  X(FillRects)                       \
  X(CreateRenderer)                  \
  X(DestroyRenderer)                 \
  X(GetRendererInfo)                 \
  X(GL_GetProcAddress)               \
  X(CreateTexture)                   \
  X(DestroyTexture)                  \
  X(UpdateTexture)                   \
  X(SetRenderDrawColor)              \
  X(RenderClear)                     \
  X(RenderCopy)                      \
  X(RenderPresent)                   \
  X(PollEvent)                       \
  X(WaitEventTimeout)                \
  X(GetTicks64)                      \
  X(CaptureMouse)                    \
  X(ShowSimpleMessageBox)            \
  X(GetNumAudioDevices)              \
  X(OpenAudioDevice)                 \
  X(CloseAudioDevice)                \
  X(PauseAudioDevice)
// clang-format on

struct SdlCalls {
#define GH_SDL_ENTRY(name) decltype(&SDL_##name) name;
  GH_SDL_CALLS(GH_SDL_ENTRY)
#undef GH_SDL_ENTRY
};

// SDL's calls, the library loaded at the first use; null when it cannot be loaded (sdlLoadError says why).
const SdlCalls* sdl();
const char* sdlLoadError();

}  // namespace platform
