// Strings: construction, concatenation, comparison, searching and derived strings.
#include "core/lang/DString.h"

#include <algorithm>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "core/lang/DStringBuffer.h"
#include "core/lang/DbyteArray.h"
#include "platform/api/strings.h"

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

void throwStringIndex() { throwException(ExceptionCode::StringIndexOutOfBoundsException); }

// Bytes of the text in the ANSI code page, with room for a terminator when asked.
DbyteArrayPtr ansiBytes(std::u16string_view text, bool terminated) {
  const int count = static_cast<int>(text.size());
  DbyteArrayPtr bytes = new DbyteArray(count + (terminated ? 1 : 0));
  if (count > 0) {
    WideCharToMultiByte(CP_ACP, 0, text.data(), count, reinterpret_cast<char*>(bytes->data()), count, nullptr, nullptr);
  }
  return bytes;
}

}  // namespace

DString::DString(const char16_t* text) : text_(text ? text : u"") {}

DString::DString(const char* text) {
  for (const char* p = text ? text : ""; *p; ++p) {
    text_ += static_cast<char16_t>(static_cast<int16_t>(static_cast<signed char>(*p)));
  }
}

DString::DString(std::u16string_view text) : text_(text) {}

DString::DString(DStringPtr other) : text_(other->view()) {}

DStringPtr DString::concat(const DString* a, const DString* b) { return join(textOf(a), textOf(b)); }
DStringPtr DString::concat(const char16_t* a, const DString* b) { return join(textOf(a), textOf(b)); }
DStringPtr DString::concat(const DString* a, const char16_t* b) { return join(textOf(a), textOf(b)); }
DStringPtr DString::concat(const char16_t* a, const char16_t* b) { return join(textOf(a), textOf(b)); }
DStringPtr DString::concat(const DString* a, int32_t b) { return join(textOf(a), DInteger::toString(b)->view()); }

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
  if (other == nullptr) return false;
  DStringPtr form = other->toString();
  return form && form->view() == view();
}

bool DString::equals(const char16_t* text) const { return text && view() == std::u16string_view(text); }

bool DString::equals(DStringPtr other) const { return other && other->view() == view(); }

char16_t DString::charAt(int32_t index) const {
  if (index < 0 || index >= length()) throwStringIndex();
  return text_[static_cast<size_t>(index)];
}

int32_t DString::compareTo(DStringPtr other) const {
  int c = view().compare(other->view());
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

bool DString::startsWith(DStringPtr prefix) const { return view().starts_with(prefix->view()); }

bool DString::endsWith(DStringPtr suffix) const { return view().ends_with(suffix->view()); }

int32_t DString::indexOf(char16_t c, int32_t from) const {
  from = std::max(from, 0);
  if (from >= length()) return -1;
  size_t pos = view().find(c, static_cast<size_t>(from));
  return pos == std::u16string_view::npos ? -1 : static_cast<int32_t>(pos);
}

int32_t DString::indexOf(DStringPtr str, int32_t from) const {
  std::u16string_view needle = str->view();
  from = std::max(from, 0);
  if (from > length()) return -1;
  size_t pos = view().find(needle, static_cast<size_t>(from));
  return pos == std::u16string_view::npos ? -1 : static_cast<int32_t>(pos);
}

int32_t DString::lastIndexOf(char16_t c) const {
  size_t pos = view().rfind(c);
  return pos == std::u16string_view::npos ? -1 : static_cast<int32_t>(pos);
}

DStringPtr DString::substring(int32_t begin, int32_t end) {
  if (begin < 0 || end > length() || begin > end) throwStringIndex();
  return new DString(view().substr(static_cast<size_t>(begin), static_cast<size_t>(end - begin)));
}

DStringPtr DString::substring(int32_t begin) { return substring(begin, length()); }

DStringPtr DString::trim() {
  constexpr char16_t kLastBlank = 32;
  size_t first = 0;
  size_t last = text_.size();
  while (first < last && text_[first] <= kLastBlank) ++first;
  while (last > first && text_[last - 1] <= kLastBlank) --last;
  if (first == 0 && last == text_.size()) return this;
  return new DString(view().substr(first, last - first));
}

DStringPtr DString::toLowerCase() {
  std::u16string copy = text_;
  CharLowerBuffW(copy.data(), static_cast<DWORD>(copy.size()));
  return new DString(std::u16string_view(copy));
}

DStringPtr DString::toUpperCase() {
  std::u16string copy = text_;
  CharUpperBuffW(copy.data(), static_cast<DWORD>(copy.size()));
  return new DString(std::u16string_view(copy));
}

DStringPtr DString::replace(char16_t oldChar, char16_t newChar) {
  if (text_.empty()) return this;
  std::u16string copy = text_;
  std::replace(copy.begin(), copy.end(), oldChar, newChar);
  return new DString(std::u16string_view(copy));
}

DStringPtr DString::replaceAll(DStringPtr target, DStringPtr replacement) {
  // An empty target would match everywhere without advancing.
  if (text_.empty() || target->length() == 0) return this;
  DStringBufferPtr buffer;
  int32_t from = 0;
  while (from < length()) {
    int32_t pos = indexOf(target, from);
    if (pos < 0) break;
    if (!buffer) buffer = new DStringBuffer();
    buffer->append(substring(from, pos));
    buffer->append(replacement);
    from = pos + target->length();
  }
  if (!buffer) return this;
  buffer->append(substring(from));
  return buffer->toString();
}

DbyteArrayPtr DString::getBytes() { return ansiBytes(view(), false); }

DbyteArrayPtr DString::toCString() { return ansiBytes(view(), true); }

int16_t DString::parseShort(DStringPtr text) { return static_cast<int16_t>(DInteger::parseInt(std::move(text), 10)); }

int32_t DString::wildcardMatch(const char16_t* pattern, const char16_t* text, int32_t flags) {
  constexpr int32_t kMatch = 0;
  constexpr int32_t kNoMatch = 1;
  if (pattern == nullptr || text == nullptr) return kNoMatch;
  const std::u16string_view p(pattern);
  const std::u16string_view t(text);
  const bool escapes = (flags & kNoEscape) == 0;
  size_t pi = 0;
  size_t ti = 0;
  // Where the last "*" was, to retry from there with one more text character swallowed.
  size_t starPattern = std::u16string_view::npos;
  size_t starText = 0;
  while (ti < t.size()) {
    if (pi < p.size() && p[pi] == u'*') {
      starPattern = ++pi;
      starText = ti;
      continue;
    }
    if (pi < p.size()) {
      bool quoted = escapes && p[pi] == u'\\' && pi + 1 < p.size();
      char16_t want = quoted ? p[pi + 1] : p[pi];
      if ((!quoted && want == u'?') || want == t[ti]) {
        pi += quoted ? 2 : 1;
        ++ti;
        continue;
      }
    }
    if (starPattern == std::u16string_view::npos) return kNoMatch;
    pi = starPattern;
    ti = ++starText;
  }
  while (pi < p.size() && p[pi] == u'*') ++pi;
  return pi == p.size() ? kMatch : kNoMatch;
}

bool operator==(const DStringPtr& a, const char16_t* text) { return a && a->equals(text); }

DStringPtr operator+(const DStringPtr& a, DStringPtr b) { return DString::concat(a.get(), b.get()); }
DStringPtr operator+(const DStringPtr& a, const char16_t* b) { return DString::concat(a.get(), b); }
DStringPtr operator+(const char16_t* a, DStringPtr b) { return DString::concat(a, b.get()); }
DStringPtr operator+(const DStringPtr& a, int32_t b) { return DString::concat(a.get(), b); }

void concatAssign(DStringPtr& a, DStringPtr b) { a = DString::concat(a.get(), b.get()); }

}  // namespace nuv::lang
