#pragma once
// The seller's code read as a browser's HTML tokenizer reads it: tags with
// their attributes, comments, and text, each with its place in the code, so
// that a repair can change one tag and copy everything else as it stands.

#include <cstddef>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace lumdrift {

struct Attribute {
  std::size_t nameBegin, nameEnd;
  std::size_t valueBegin, valueEnd;  // inside the quotes; empty when there is no value
  char quote;                        // '"', '\'' or 0 when unquoted or absent
};

enum class TokenKind {
  Text,  // also the content of <script>, <style>, <textarea>, ... and after <plaintext>
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
  // Unfinished: a comment, or the quote a tag's attribute value is left open in.
  bool unfinishedComment = false;
  char openQuote = 0;
};

std::vector<Token> scanHtml(std::string_view code);

// The white space of HTML and of CSS.
inline bool isHtmlSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

inline bool isOneOf(std::string_view name, std::initializer_list<std::string_view> names) {
  for (std::string_view n : names) {
    if (n == name) return true;
  }
  return false;
}

// The value of the first attribute of that (lower-case) name; browsers ignore
// the later ones.
const Attribute* findAttribute(std::string_view code, const Token& tag, std::string_view name);
inline std::string_view valueOf(std::string_view code, const Attribute& a) {
  return code.substr(a.valueBegin, a.valueEnd - a.valueBegin);
}

// Elements whose content is read as text up to their end tag, whatever it
// holds ("/>" does not end them here).
bool hasRawContent(std::string_view name);

// Elements without an end tag, and those whose end tag may be left out:
// neither can leave the code unbalanced.
bool isVoidElement(std::string_view name);
bool hasOptionalEnd(std::string_view name);

}  // namespace lumdrift
