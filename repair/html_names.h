#pragma once
// What the HTML parser knows of element names, and the white space of HTML
// and CSS: the one list of each for every repair.

#include <initializer_list>
#include <string_view>

namespace lumdrift {

inline bool isHtmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

inline bool isBlank(std::string_view s) {
  for (char c : s) {
    if (!isHtmlSpace(c)) return false;
  }
  return true;
}

inline bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  for (std::string_view n : names) {
    if (n == name) return true;
  }
  return false;
}

// Elements whose content is read as text up to their end tag, whatever it
// holds: in HTML only, never inside SVG or MathML.
bool hasRawContent(std::string_view name);

// Elements without an end tag.
bool isVoidElement(std::string_view name);

// Elements whose end the parser implies: the end tag of an element around
// them closes them without a word, so none left open needs one.
bool hasOptionalEnd(std::string_view name);

// The start tags that close an open <p>.
bool closesParagraph(std::string_view name);

// Elements a block stands in as the page expects: not <p>, which a block
// inside would close.
bool holdsBlocks(std::string_view name);

// Elements the parser reopens after an end tag of an element around them
// closed them (b, i, a, font ...): one left open spreads into what follows.
bool isFormatting(std::string_view name);

// Where an end tag's search for its element stops: past these it closes
// nothing and is dropped. SVG and MathML have boundaries of their own; an
// SVG <th> is none.
bool isScopeBoundary(std::string_view name, bool foreign);

// Start tags that end SVG or MathML content and go back to HTML.
bool breaksOutOfForeign(std::string_view name);

}  // namespace lumdrift
