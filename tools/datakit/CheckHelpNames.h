// The checker's test that a translated help page calls the menu's entries and keys what its language's
// menu, key set-up and key names call them, paragraph by paragraph against the English page.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "CheckFiles.h"
#include "TextTables.h"

namespace datakit {

// The help pages are written in this language first; the others follow it paragraph by paragraph.
inline constexpr const char* kHelpReferenceLanguage = "en";

// A name the menu shows, in the reference language, and what it is in another language: several words where
// one English word stands for several entries.
using ShownNames = std::map<std::u16string, std::set<std::u16string>>;

// The names one game's pages show, from the reference language's table and another's: the standard entries,
// the label before ":" of the sound, music and the game's own entries, the actions of its key set-up (the
// text "ctrl_actions_" + game) and the keys' names ("keyname_" + key).
ShownNames shownNames(const std::map<std::u16string, std::u16string>& reference,
                      const std::map<std::u16string, std::u16string>& language,
                      const std::vector<std::string>& ownEntryKeys, const std::string& gameKey);

// Where a page names an entry or a key otherwise than its language's menu does: each paragraph in which the
// reference page names one of the names in the middle of a sentence (a word at a sentence's start may be
// anything) must hold its translation as a word. The faults' lines are the page's paragraphs. Pages of
// different paragraph counts cannot be laid side by side and give none.
std::vector<Fault> helpNameFaults(const std::vector<TableLine>& referencePage, const std::vector<TableLine>& page,
                                  const ShownNames& names);

}  // namespace datakit
