// Strings: construction, concatenation, hashing and equality.
#include "core/lang/DString.h"

namespace nuv::lang {

namespace {

std::u16string_view textOf(const DString* s) { return s ? s->view() : std::u16string_view(u"null"); }
std::u16string_view textOf(const char16_t* s) { return s ? std::u16string_view(s) : std::u16string_view(u"null"); }

DStringPtr join(std::u16string_view a, std::u16string_view b) {
  std::u16string text;
  text.reserve(a.size() + b.size());
  text.append(a).append(b);
  return new DString(std::u16string_view(text));
}

}  // namespace

DString::DString(const char16_t* text) : text_(text ? text : u"") {}

DString::DString(const char* text) {
  for (const char* p = text ? text : ""; *p; ++p) {
    text_ += static_cast<char16_t>(static_cast<int16_t>(static_cast<signed char>(*p)));
  }
}

DString::DString(std::u16string_view text) : text_(text) {}

DStringPtr DString::concat(const DString* a, const DString* b) { return join(textOf(a), textOf(b)); }
DStringPtr DString::concat(const char16_t* a, const DString* b) { return join(textOf(a), textOf(b)); }
DStringPtr DString::concat(const DString* a, const char16_t* b) { return join(textOf(a), textOf(b)); }
DStringPtr DString::concat(const char16_t* a, const char16_t* b) { return join(textOf(a), textOf(b)); }

DStringPtr DString::toString() { return this; }

int32_t DString::hashCode() {
  if (hash_ == 0) {
    uint32_t h = 0;
    for (char16_t c : text_) h = 31 * h + c;
    hash_ = static_cast<int32_t>(h);
  }
  return hash_;
}

bool DString::equals(DObject* other) {
  DStringPtr form = other->toString();
  return form && form->view() == view();
}

bool DString::equals(const char16_t* text) const { return text && view() == std::u16string_view(text); }

bool operator==(const DStringPtr& a, const char16_t* text) { return a && a->equals(text); }

}  // namespace nuv::lang
