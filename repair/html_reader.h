#pragma once
// The seller's code read once, as a browser reads it: its tokens (tags with
// their attributes, comments, text), each with its place in the code, and its
// elements nested as the parser nests them, so that every repair is a pass
// over one reading that changes a few tags and copies everything else as it
// stands.

#include <cstddef>
#include <string_view>
#include <vector>

#include "base/text.h"
#include "repair/html_names.h"

namespace lumdrift {

struct Attribute {
  std::size_t nameBegin, nameEnd;
  std::size_t valueBegin, valueEnd;  // inside the quotes; empty when there is no value
  char quote;                        // '"', '\'' or 0 when unquoted or absent
};

enum class TokenKind {
  Text,  // also raw content (<script>, <textarea>, ...), CDATA in SVG and MathML, <plaintext>'s
         // rest
  StartTag,
  EndTag,
  Comment,    // also <!DOCTYPE ...>, <?...> and the other bogus comments
  Unfinished  // a tag or comment the code ends inside of (a '>' or "-->" would end it)
};

struct Token {
  TokenKind kind = TokenKind::Text;
  std::size_t begin = 0, end = 0;
  Text name;  // of a tag, in ASCII lower case
  bool selfClosing = false;
  std::vector<Attribute> attributes;
  // Unfinished: whether it is a comment, the quote a tag's attribute value is
  // left open in, and what finishes it.
  bool unfinishedComment = false;
  char openQuote = 0;
  Text finish;
};

inline constexpr int kNoElement = -1;

struct Element {
  std::size_t token;  // its start tag
  int parent;         // kNoElement at the top level
  std::vector<int> children;
  std::size_t contentBegin;  // after the start tag
  std::size_t contentEnd;    // where its end tag starts, or where it was closed without one
  std::size_t end;           // after its end tag
  bool hasEndTag = false;
  bool openAtEnd = false;  // still open when the code ends
  bool foreign = false;    // SVG or MathML
  // A formatting element whose end tag came while a block inside it was
  // open: the parser ends it there and moves the block out of it. Here it
  // stays open around what follows, and needs no end tag of its own.
  bool endedAroundBlock = false;
};

// An end tag the parser drops: nothing of the seller's in reach has its name.
struct DroppedEndTag {
  std::size_t token;
  // Stopped by none of the seller's elements (a table, a cell...): in the
  // shop page it goes on to the elements around the code.
  bool reachesOut;
};

struct HtmlReading {
  std::vector<Token> tokens;
  std::vector<Element> elements;
  std::vector<int> topLevel;
  std::vector<DroppedEndTag> dropped;
  // Formatting elements closed by another's end tag and never by their own:
  // the parser would open them again in whatever follows the code.
  std::vector<int> stillFormatting;
  bool plaintext = false;  // <plaintext> makes the rest text: nothing after it closes

  const Token& tag(const Element& e) const { return tokens[e.token]; }
  const Token& tag(int element) const { return tag(elements[element]); }
  std::string_view startTag(std::string_view code, int element) const {
    const Token& t = tag(element);
    return code.substr(t.begin, t.end - t.begin);
  }
};

HtmlReading readHtml(std::string_view code);

// The value of the first attribute of that (lower-case) name; browsers ignore
// the later ones.
const Attribute* findAttribute(std::string_view code, const Token& tag, std::string_view name);
inline std::string_view valueOf(std::string_view code, const Attribute& a) {
  return code.substr(a.valueBegin, a.valueEnd - a.valueBegin);
}

}  // namespace lumdrift
