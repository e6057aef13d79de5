// What the entries stand on: a program folder of their own with a clock only they move, the game library at
// 240 x 320 over the real game.dat (its globals, fonts and English texts, the silent sound device), and
// archives written from one input and opened as the program's own.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DString.h"
#include "gamelib/GameInterface.h"

namespace fuzz {

using Input = std::span<const uint8_t>;

// The program folder, the data folder (registry and message store) and the clock; made on the first call,
// removed when the process ends.
const std::string& programFolder();
// The game library, made on the first call; fonts, texts and pictures come from the real game.dat.
void useGameLibrary();

// An entry of an archive made for one input.
struct StoredEntry {
  std::string name;  // "/" separated, as the packer stores it
  std::string bytes;
};

// The entries become the program's archive, stored uncompressed: written beside the program and opened.
void openArchive(const std::vector<StoredEntry>& entries);
// The real game.dat is the program's archive again.
void openGameData();
// One entry of the real game.dat.
std::string gameDataEntry(const std::string& name);

// The clock moves on by one frame step, the screen takes its input and updates, then paints.
void step(gamelib::GameInterface& screen, bool paint = true);
// One key press and its release, as the shell delivers them.
void press(int32_t code);

std::string bytes(Input input);
// Each byte one character; the markup, table and message parsers see every code below 256 this way.
nuv::lang::DStringPtr latin1(Input input);

// Runs the work. The system's exceptions are how a parser refuses what it was given; they are dropped.
// Anything else (a memory error, undefined behaviour, a standard exception, a hang) is a fault.
template <class Work>
void refusalsAllowed(Work&& work) {
  try {
    work();
  } catch (nuv::lang::DExceptionBase* e) {
    delete e;
  }
}

}  // namespace fuzz
