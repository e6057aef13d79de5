// Marked-up text: parsing the resolved text into a tree of chunks.
#include <string>
#include <vector>

#include "core/lang/DExceptionBase.h"
#include "core/lang/DInteger.h"
#include "gamelib/ImageFont.h"
#include "gui/GUIAnimation.h"
#include "gui/GUIText.h"

namespace gamelib {

using nuv::lang::DObjectPtr;
using nuv::lang::DString;
using nuv::lang::DStringPtr;
using nuv::microedition::lcdui::DImage;

namespace {

constexpr char16_t kTagOpen = u'<';
constexpr char16_t kTagClose = u'>';
constexpr char16_t kSpace = u' ';
constexpr char16_t kLineFeed = u'\n';
constexpr char16_t kClosing = u'/';
constexpr std::u16string_view kLessThan = u"<";
constexpr std::u16string_view kEntities[] = {u"&lt;", u"&LT;"};
// Tokens that name tokens would otherwise never end.
constexpr int32_t kMaxTokenDepth = 8;

struct AlignName {
  std::u16string_view name;
  int32_t value;
};
constexpr int32_t kDefaultAlign = -1;
constexpr AlignName kAlignNames[] = {
    {u"right", ALIGN_RIGHT},     {u"justify", ALIGN_JUSTIFY},
    {u"center", ALIGN_HCENTER},  {u"left", 0},
    {u"default", kDefaultAlign}, {u"top", 0},
    {u"bottom", ALIGN_BOTTOM},   {u"vcenter", ALIGN_VCENTER},
};

std::u16string lower(std::u16string_view text) {
  DString copy(text);
  return std::u16string(copy.toLowerCase()->view());
}

DStringPtr makeWord(std::u16string_view word) {
  std::u16string out;
  for (size_t at = 0; at < word.size();) {
    bool entity = false;
    for (std::u16string_view e : kEntities) entity = entity || word.substr(at, e.size()) == e;
    if (entity) {
      out += kLessThan;
      at += kEntities[0].size();
    } else {
      out.push_back(word[at++]);
    }
  }
  return new DString(std::u16string_view(out));
}

GUITextChunkPtr wordChunk(std::u16string_view text) {
  GUITextChunkPtr chunk = new GUITextChunk(GUITextChunk::WORD, 0);
  chunk->content = makeWord(text);
  return chunk;
}

// A decimal margin; a value that is no number leaves it as it was.
void setMargin(int32_t& margin, std::u16string_view value) {
  try {
    margin = nuv::lang::DInteger::parseInt(new DString(value));
  } catch (nuv::lang::DExceptionBase* e) {
    nuv::lang::catchException(e, nuv::lang::ExceptionCode::NumberFormatException);
  }
}

struct Attribute {
  std::u16string name;
  std::u16string_view value;
};

// name=value pairs separated by spaces; a name without a value is skipped.
std::vector<Attribute> splitAttributes(std::u16string_view text) {
  std::vector<Attribute> list;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == kSpace) ++i;
    size_t start = i;
    while (i < text.size() && text[i] != u'=' && text[i] != kSpace) ++i;
    std::u16string_view name = text.substr(start, i - start);
    if (i >= text.size() || text[i] != u'=') continue;
    size_t valueStart = ++i;
    while (i < text.size() && text[i] != kSpace) ++i;
    list.push_back({lower(name), text.substr(valueStart, i - valueStart)});
  }
  return list;
}

}  // namespace

void GUIText::parse() {
  root = new GUITextChunk(GUITextChunk::PARAGRAPH, 0);
  layoutWidth = -1;
  markerShown_ = false;
  if (!resolved.isNull()) parseInto(*root, *resolved, 0, 0, 0);
}

int32_t GUIText::parseInto(GUITextChunk& container, const DString& text, int32_t pos, int32_t tokenDepth,
                           int32_t nesting) {
  std::u16string_view view = text.view();
  const int32_t length = static_cast<int32_t>(view.size());
  std::u16string word;
  auto flush = [&] {
    if (word.empty()) return;
    container.addChild(wordChunk(word));
    word.clear();
  };
  // Once no ">" follows, every "<" is ordinary text.
  bool tagsAhead = true;
  // Paragraphs opened past the deepest level, shown as text; their closing tags are text too.
  int32_t textParagraphs = 0;
  while (pos < length) {
    char16_t c = view[pos];
    if (c == kTagOpen && tagsAhead) tagsAhead = view.find(kTagClose, pos + 1) != std::u16string_view::npos;
    bool tag = c == kTagOpen && tagsAhead;
    if (tag && nesting >= kMaxNesting) {
      std::u16string_view name = view.substr(pos + 1, indexOfAny(text, pos + 1, u" >") - pos - 1);
      if (lower(name) == u"p") {
        ++textParagraphs;
        tag = false;
      } else if (!name.empty() && name[0] == kClosing && textParagraphs > 0) {
        --textParagraphs;
        tag = false;
      }
    }
    if (c != kSpace && c != kLineFeed && !tag) {
      word.push_back(c);
      ++pos;
      continue;
    }
    flush();
    if (c == kLineFeed && keepNewlines) container.addChild(new GUITextChunk(GUITextChunk::BREAK, 0));
    if (!tag) {
      ++pos;
      continue;
    }
    int32_t close = static_cast<int32_t>(view.find(kTagClose, pos + 1));
    int32_t nameEnd = indexOfAny(text, pos + 1, u" >");
    std::u16string_view name = view.substr(pos + 1, nameEnd - pos - 1);
    std::u16string_view attributes = view.substr(nameEnd, close - nameEnd);
    pos = close + 1;
    if (!name.empty() && name[0] == kClosing) return pos;
    if (lower(name) == u"p") {
      GUITextChunkPtr paragraph = new GUITextChunk(GUITextChunk::PARAGRAPH, 0);
      container.addChild(paragraph);
      pos = parseInto(*paragraph, text, pos, tokenDepth, nesting + 1);
      continue;
    }
    parseTag(container, name, attributes, tokenDepth, nesting);
  }
  flush();
  return pos;
}

void GUIText::parseTag(GUITextChunk& container, std::u16string_view tagName, std::u16string_view attributes,
                       int32_t tokenDepth, int32_t nesting) {
  struct TagKind {
    std::u16string_view name;
    int32_t type;
  };
  static constexpr int32_t kToken = -1;
  static constexpr TagKind kTags[] = {
      {u"br", GUITextChunk::BREAK},
      {u"align", GUITextChunk::ALIGN},
      {u"valign", GUITextChunk::VALIGN},
      {u"anim", GUITextChunk::ANIMATION},
      {u"img", GUITextChunk::PICTURE},
      {u"font", GUITextChunk::FONT},
      {u"token", kToken},
  };
  std::u16string name = lower(tagName);
  int32_t type = -2;
  for (const TagKind& kind : kTags) {
    if (kind.name == name) type = kind.type;
  }
  if (type == -2) return;

  GUITextChunkPtr chunk = new GUITextChunk(type == kToken ? GUITextChunk::WORD : type, 0);
  bool floating = false;
  std::u16string_view source;
  bool hasSource = false;
  DStringPtr tokenText;
  for (const Attribute& a : splitAttributes(attributes)) {
    if (a.name == u"margin-left") setMargin(chunk->marginLeft, a.value);
    if (a.name == u"margin-top") setMargin(chunk->marginTop, a.value);
    if (a.name == u"margin-right") setMargin(chunk->marginRight, a.value);
    if (a.name == u"margin-bottom") setMargin(chunk->marginBottom, a.value);
    if (a.name == u"align") {
      floating = true;
      std::u16string value = lower(a.value);
      for (const AlignName& known : kAlignNames) {
        if (known.name == value) chunk->align = known.value == kDefaultAlign ? alignment : known.value;
      }
    }
    if (a.name == u"face" && type == GUITextChunk::FONT) {
      chunk->content = nullptr;
      if (lower(a.value) != u"default") {
        DObjectPtr found = getResource(new DString(a.value));
        if (auto* guiFont = dynamic_cast<GUIFont*>(found.get())) {
          chunk->content = guiFont;
        } else if (auto* imageFont = dynamic_cast<ImageFont*>(found.get())) {
          chunk->content = new GUIFont(imageFont);
        }
      }
    }
    if (a.name == u"token" && type == kToken) {
      DObjectPtr found = getResource(new DString(a.value));
      tokenText = dynamic_cast<DString*>(found.get());
      if (tokenText.isNull()) tokenText = new DString(a.value);
    }
    if (a.name == u"src") {
      source = a.value;
      hasSource = true;
    }
  }

  if (type == kToken) {
    if (tokenText.isNull()) return;
    if (tokenDepth >= kMaxTokenDepth || nesting >= kMaxNesting) {
      container.addChild(wordChunk(tokenText->view()));
      return;
    }
    parseInto(container, *tokenText, 0, tokenDepth + 1, nesting + 1);
    return;
  }
  if (type == GUITextChunk::ANIMATION || type == GUITextChunk::PICTURE) {
    DObjectPtr found = hasSource ? getResource(new DString(source)) : nullptr;
    // The resource decides what is drawn, whichever of the two tags named it.
    if (dynamic_cast<GUIAnimation*>(found.get()) != nullptr) {
      chunk->type = floating ? GUITextChunk::FLOATING_ANIMATION : GUITextChunk::ANIMATION;
    } else if (dynamic_cast<DImage*>(found.get()) != nullptr) {
      chunk->type = floating ? GUITextChunk::FLOATING_PICTURE : GUITextChunk::PICTURE;
    } else {
      if (!hasSource) return;
      container.addChild(wordChunk(source));
      return;
    }
    chunk->content = found;
    measure(*chunk);
  }
  container.addChild(chunk);
}

void GUIText::measure(GUITextChunk& chunk) {
  GUISize size;
  if (chunk.type == GUITextChunk::WORD) {
    size = {chunk.font->stringWidth(nuv::lang::dynamicCast<DString>(chunk.content)),
            chunk.font->getHeight() + lineSpacing};
    chunk.w = size.width;
    chunk.h = size.height;
    return;
  }
  if (auto* animation = dynamic_cast<GUIAnimation*>(chunk.content.get())) size = animation->getSize();
  if (auto* picture = dynamic_cast<DImage*>(chunk.content.get())) size = {picture->getWidth(), picture->getHeight()};
  chunk.w = size.width + chunk.marginLeft + chunk.marginRight;
  chunk.h = size.height + chunk.marginTop + chunk.marginBottom;
}

}  // namespace gamelib
