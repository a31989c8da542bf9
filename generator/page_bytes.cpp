#include "generator/page_bytes.h"

#include "base/gbk.h"
#include "base/text.h"

namespace lumdrift {
namespace {

bool startsWithFolded(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (asciiLower(text[i]) != word[i]) return false;
  }
  return true;
}

void appendCharacter(std::string& out, std::string_view c) {
  if (!appendGbk(c, out)) {
    out += "&#" + std::to_string(static_cast<unsigned long>(codePointOf(c))) + ';';
  }
}

// A piece goes through the system whole when it can. One that holds a
// character GBK lacks is halved until the halves go through, so a few such
// characters in a long text cost a few calls each; short pieces go character
// by character.
void appendPiece(std::string& out, std::string_view piece) {
  if (appendGbk(piece, out)) return;
  if (piece.size() <= 64) {
    for (std::size_t i = 0; i < piece.size();) {
      const std::size_t n = characterLength(piece, i);
      appendCharacter(out, piece.substr(i, n));
      i += n;
    }
    return;
  }
  std::size_t middle = 0;
  while (middle < piece.size() / 2) middle += characterLength(piece, middle);
  appendPiece(out, piece.substr(0, middle));
  appendPiece(out, piece.substr(middle));
}

}  // namespace

bool declaresUtf8(std::string_view page) {
  page = page.substr(0, 1024);
  for (std::size_t at = 0; at < page.size(); ++at) {
    if (!startsWithFolded(page.substr(at), "charset")) continue;
    std::size_t i = at + 7;
    while (i < page.size() &&
           (page[i] == ' ' || page[i] == '=' || page[i] == '"' || page[i] == '\'')) {
      ++i;
    }
    const std::string_view value = page.substr(i);
    return startsWithFolded(value, "utf-8") || startsWithFolded(value, "utf8");
  }
  return false;
}

std::string gbkWithReferences(std::string_view text) {
  constexpr std::size_t kPiece = 4096;
  std::string out;
  out.reserve(text.size());
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = at;
    while (end < text.size() && end - at < kPiece) end += characterLength(text, end);
    appendPiece(out, text.substr(at, end - at));
    at = end;
  }
  return out;
}

std::string pageBytes(std::string_view page) {
  return declaresUtf8(page) ? std::string(page) : gbkWithReferences(page);
}

}  // namespace lumdrift
