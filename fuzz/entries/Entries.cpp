#include "Entries.h"

#include <iterator>

namespace fuzz {

namespace {

// The names are the fuzz targets' and the kept inputs' folders.
constexpr Entry kEntries[] = {
    {"archive", archive},
    {"picture", picture},
    {"image_table", imageTable},
    {"font", font},
    {"wav", wav},
    {"mod", mod},
    {"text_table", textTable},
    {"help_page", helpPage},
    {"record_store", recordStore},
    {"markup", markup},
    {"more_games", moreGames},
    {"http_answer", httpAnswer},
    {"message_file", messageFile},
    {"bounce_round", bounceRound},
    {"burrow_levels", burrowLevels},
    {"canyon_screens", canyonScreens},
    {"climber_level", climberLevel},
    {"gobbler_map", gobblerMap},
    {"tanks_stages", tanksStages},
};

}  // namespace

std::span<const Entry> entries() { return kEntries; }

const Entry* findEntry(std::string_view name) {
  for (const Entry& e : kEntries) {
    if (e.name == name) return &e;
  }
  return nullptr;
}

}  // namespace fuzz
