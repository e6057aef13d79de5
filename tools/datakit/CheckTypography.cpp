// The checker's test of the spaces a language sets before marks.
#include "CheckTypography.h"

#include <algorithm>

#include "TextTables.h"

namespace datakit {

namespace {

struct SpacedMarks {
  const char* language;
  const char* name;
  std::u16string_view marks;
};
constexpr SpacedMarks kSpacedMarks[] = {{"fr", "French", u":;!?"}};

// So much of the text before a place shows where it is.
constexpr size_t kContext = 20;

std::string listed(std::u16string_view marks) {
  std::string out;
  for (size_t i = 0; i < marks.size(); ++i)
    out += (i == 0 ? "" : i + 1 == marks.size() ? " and " : " ") + toUtf8(std::u16string(1, marks[i]));
  return out;
}

}  // namespace

std::optional<std::string> markSpacingFault(const std::string& language, const std::u16string& text) {
  for (const SpacedMarks& rule : kSpacedMarks) {
    if (language != rule.language) continue;
    size_t first = std::u16string::npos;
    int count = 0;
    for (size_t at = 0; at + 1 < text.size(); ++at)
      if (text[at] == u' ' && rule.marks.find(text[at + 1]) != std::u16string_view::npos && count++ == 0) first = at;
    if (count == 0) return std::nullopt;
    // The context starts at a word.
    size_t from = 0;
    if (first > kContext) from = std::min(first, text.find(u' ', first - kContext) + 1);
    return "a plain space before \"" + toUtf8(text.substr(first + 1, 1)) + "\" after \"" + (from > 0 ? "..." : "") +
           toUtf8(text.substr(from, first - from)) + "\" lets a line begin with the mark" +
           (count > 1 ? " (and " + std::to_string(count - 1) + " more in this text)" : "") + ": " + rule.name +
           " puts a no-break space (U+00A0) before " + listed(rule.marks);
  }
  return std::nullopt;
}

}  // namespace datakit
