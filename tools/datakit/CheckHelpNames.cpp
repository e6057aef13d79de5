// The checker's test that a translated help page names the menu's entries and keys as its language does.
#include "CheckHelpNames.h"

#include <iterator>
#include <string_view>

namespace datakit {

namespace {

// The in-game menu's standard entries, named whole.
const char* const kEntryKeys[] = {"start", "continue", "highscores", "help", "cfg_keys", "mainmenu", "exit"};
// Entries that show a label and a setting ("Sound: Low"): help pages name the label.
const char* const kLabelledKeys[] = {"soundfxlow", "musiclow"};
constexpr const char16_t* kKeyNamePrefix = u"keyname_";

bool isBlank(char16_t c) { return c == u' ' || c == u'\u00A0' || c == u'\u202F'; }

// Letters and digits of any script; blanks, marks and typographic punctuation are none.
bool isWordChar(char16_t c) {
  if (c < 0x80) return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
  return c >= 0xC0 && !(c >= 0x2000 && c <= 0x206F);
}

std::u16string trimmed(const std::u16string& s) {
  size_t from = 0, to = s.size();
  while (from < to && isBlank(s[from])) ++from;
  while (to > from && isBlank(s[to - 1])) --to;
  return s.substr(from, to - from);
}

// "Edges: Bounce" is named "Edges".
std::u16string label(const std::u16string& entry) { return trimmed(entry.substr(0, entry.find(u':'))); }

// The places where the word stands whole in the text.
std::vector<size_t> wordPlaces(const std::u16string& text, const std::u16string& word) {
  std::vector<size_t> places;
  if (word.empty()) return places;
  for (size_t at = text.find(word); at != std::u16string::npos; at = text.find(word, at + 1)) {
    const size_t end = at + word.size();
    const bool startsWhole = at == 0 || !isWordChar(text[at - 1]) || !isWordChar(word.front());
    const bool endsWhole = end == text.size() || !isWordChar(text[end]) || !isWordChar(word.back());
    if (startsWhole && endsWhole) places.push_back(at);
  }
  return places;
}

// A word at the start of a paragraph or after ".", "!", "?" or ":" may be any word written with a capital.
bool startsASentence(const std::u16string& text, size_t at) {
  while (at > 0 && isBlank(text[at - 1])) --at;
  return at == 0 || std::u16string_view(u".!?:").find(text[at - 1]) != std::u16string_view::npos;
}

bool namedInASentence(const std::u16string& text, const std::u16string& word) {
  for (size_t at : wordPlaces(text, word))
    if (!startsASentence(text, at)) return true;
  return false;
}

std::string quotedList(const std::set<std::u16string>& words) {
  std::string out;
  for (const std::u16string& w : words) out += (out.empty() ? "\"" : " or \"") + toUtf8(w) + "\"";
  return out;
}

}  // namespace

ShownNames shownNames(const std::map<std::u16string, std::u16string>& reference,
                      const std::map<std::u16string, std::u16string>& language,
                      const std::vector<std::string>& ownEntryKeys, const std::string& gameKey) {
  ShownNames names;
  auto add = [&](const std::u16string& from, const std::u16string& to) {
    if (!from.empty() && !to.empty()) names[from].insert(to);
  };
  auto both = [&](const std::string& key, auto&& take) {
    const auto r = reference.find(std::u16string(key.begin(), key.end()));
    const auto l = language.find(std::u16string(key.begin(), key.end()));
    if (r != reference.end() && l != language.end()) take(r->second, l->second);
  };
  for (const char* key : kEntryKeys) both(key, [&](auto& r, auto& l) { add(trimmed(r), trimmed(l)); });
  std::vector<std::string> labelled(std::begin(kLabelledKeys), std::end(kLabelledKeys));
  labelled.insert(labelled.end(), ownEntryKeys.begin(), ownEntryKeys.end());
  for (const std::string& key : labelled) both(key, [&](auto& r, auto& l) { add(label(r), label(l)); });
  both("ctrl_actions_" + gameKey, [&](auto& r, auto& l) {
    const std::vector<std::u16string> from = splitText(r, u';'), to = splitText(l, u';');
    if (from.size() == to.size())
      for (size_t i = 0; i < from.size(); ++i) add(trimmed(from[i]), trimmed(to[i]));
  });
  for (const auto& [key, name] : reference)
    if (key.rfind(kKeyNamePrefix, 0) == 0)
      if (const auto l = language.find(key); l != language.end()) add(trimmed(name), trimmed(l->second));
  return names;
}

std::vector<Fault> helpNameFaults(const std::vector<TableLine>& referencePage, const std::vector<TableLine>& page,
                                  const ShownNames& names) {
  std::vector<Fault> faults;
  if (referencePage.size() != page.size()) return faults;
  for (size_t p = 0; p < page.size(); ++p) {
    for (const auto& [name, translations] : names) {
      if (!namedInASentence(referencePage[p].text, name)) continue;
      bool named = false;
      for (const std::u16string& t : translations) named = named || !wordPlaces(page[p].text, t).empty();
      if (!named)
        faults.push_back({page[p].line, "the English help names \"" + toUtf8(name) +
                                            "\" here, and this paragraph never says " + quotedList(translations) +
                                            ", as the menu and the key set-up call it in this language"});
    }
  }
  return faults;
}

}  // namespace datakit
