// Loads SDL2 on first use and finds its calls.
#include "platform/host/sdl_library.h"

#include <dlfcn.h>

#include <string>

namespace platform {

namespace {

constexpr const char* kLibrary = "libSDL2-2.0.so.0";

struct Loaded {
  SdlCalls calls{};
  bool complete = false;
  std::string error;
};

template <class Entry>
bool find(void* library, Entry& entry, const char* name, std::string& error) {
  entry = reinterpret_cast<Entry>(dlsym(library, name));
  if (entry == nullptr) error = std::string(name) + " is missing from " + kLibrary;
  return entry != nullptr;
}

Loaded load() {
  Loaded loaded;
  // Kept for the rest of the run: its threads and handlers may outlive any one user.
  void* library = dlopen(kLibrary, RTLD_LAZY | RTLD_LOCAL);
  if (library == nullptr) {
    const char* reason = dlerror();
    loaded.error = reason != nullptr ? reason : kLibrary;
    return loaded;
  }
  loaded.complete = true;
#define GH_SDL_FIND(name) \
  loaded.complete = loaded.complete && find(library, loaded.calls.name, "SDL_" #name, loaded.error);
  GH_SDL_CALLS(GH_SDL_FIND)
#undef GH_SDL_FIND
  return loaded;
}

const Loaded& loaded() {
  static const Loaded once = load();
  return once;
}

}  // namespace

const SdlCalls* sdl() { return loaded().complete ? &loaded().calls : nullptr; }

const char* sdlLoadError() { return loaded().error.c_str(); }

}  // namespace platform
