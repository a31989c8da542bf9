#pragma once
// The elements of the seller's code as the parser nests them, each with the
// places of its start tag, its content and its end tag in the code.

#include <cstddef>
#include <string_view>
#include <vector>

#include "generator/html_scan.h"

namespace lumdrift {

inline constexpr int kNoElement = -1;

struct Element {
  std::size_t token;  // its start tag
  int parent;         // kNoElement at the top level
  std::vector<int> children;
  std::size_t contentBegin;  // after the start tag
  std::size_t contentEnd;    // where its end tag starts, or where it was closed without one
  std::size_t end;           // after its end tag
  bool hasEndTag = false;
};

struct HtmlTree {
  std::vector<Token> tokens;
  std::vector<Element> elements;
  std::vector<int> topLevel;

  const Token& tag(const Element& e) const { return tokens[e.token]; }
  const Token& tag(int element) const { return tag(elements[element]); }
};

// Nests the elements as a browser would for well-formed code: an end tag
// closes the innermost open element of its name and those inside it, a block
// closes an open <p>, and a <li>, <td>, <tr>, <option>... closes the one
// before it. Code that does not balance is nested as well as that allows.
HtmlTree buildTree(std::string_view code);

}  // namespace lumdrift
