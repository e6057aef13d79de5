// The command line's options, read the way the handheld's entry read them.
#include "shell/CommandLine.h"

#include <climits>
#include <vector>

#include "platform/types.h"

namespace shell {

namespace {

constexpr std::u16string_view kNoFullScreen = u"/nofullscreen";
constexpr std::u16string_view kWidth = u"/width";
constexpr std::u16string_view kHeight = u"/height";

// Leading blanks, a sign and digits; no digits give 0. Values past the int range stop at its ends.
int32_t leadingNumber(std::u16string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  int64_t value = 0;
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
    value = value * 10 + (text[i] - u'0');
    if (value > INT32_MAX) value = int64_t{INT32_MAX} + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  return static_cast<int32_t>(value);
}

// The value of an option: the token past the option name and its one separator character. A blank
// separator ends the token, so the value is then the next token; an option that ends the line has none.
bool optionValue(const std::vector<std::u16string_view>& tokens, size_t index, size_t nameLength, int32_t& value) {
  std::u16string_view token = tokens[index];
  if (token.size() > nameLength) {
    value = leadingNumber(token.substr(nameLength + 1));
    return true;
  }
  if (index + 1 >= tokens.size()) return false;
  value = leadingNumber(tokens[index + 1]);
  return true;
}

}  // namespace

CommandLine parseCommandLine(std::u16string_view commandLine) {
  std::vector<std::u16string_view> tokens;
  for (size_t start = 0; start < commandLine.size();) {
    size_t end = commandLine.find(u' ', start);
    if (end == std::u16string_view::npos) end = commandLine.size();
    if (end > start) tokens.push_back(commandLine.substr(start, end - start));
    start = end + 1;
  }
  CommandLine result;
  for (size_t i = 0; i < tokens.size(); ++i) {
    std::u16string_view token = tokens[i];
    if (token.substr(0, kNoFullScreen.size()) == kNoFullScreen) {
      result.fullScreen = false;
    } else if (token.substr(0, kWidth.size()) == kWidth) {
      optionValue(tokens, i, kWidth.size(), result.width);
    } else if (token.substr(0, kHeight.size()) == kHeight) {
      optionValue(tokens, i, kHeight.size(), result.height);
    }
  }
  return result;
}

bool usesGivenSize(const CommandLine& options, std::string& refused) {
  refused.clear();
  if (options.fullScreen || options.width < 1 || options.height < 1) return false;
  if (options.width <= platform::kMaxScreenSide && options.height <= platform::kMaxScreenSide) return true;
  const std::string bound = std::to_string(platform::kMaxScreenSide);
  refused = "the size " + std::to_string(options.width) + "x" + std::to_string(options.height) +
            " of /width and /height is larger than " + bound + "x" + bound + "; the screen's size is used";
  return false;
}

}  // namespace shell
