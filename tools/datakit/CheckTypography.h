// The checker's test of the spaces a language sets before marks: French puts one before ":", ";", "!" and
// "?", and it must be a no-break space, or a line of the help page or a menu can begin with the mark.
#pragma once

#include <optional>
#include <string>

namespace datakit {

// What is wrong with one text of the language (its code, "fr"): a plain space before such a mark. Nothing
// for a language that sets no space there.
std::optional<std::string> markSpacingFault(const std::string& language, const std::u16string& text);

}  // namespace datakit
