#pragma once
// What the repairs change in one reading of the seller's code, and the code
// written back from it: the seller's own bytes wherever nothing changed.

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "repair/html_reader.h"

namespace lumdrift {

// A box that elements placed by inline position move into, each in a line
// of no height of its own: `under` at the start of its content (beneath it),
// `over` after it, in a box of the content's height (`height`, in pixels),
// so that they lie on its content and are drawn over it.
struct LinedBox {
  std::vector<int> under, over;
  double height = 0;
};

struct Rewrite {
  Rewrite(std::string_view code, const HtmlReading& reading)
      : code(code),
        reading(reading),
        startTag(reading.elements.size()),
        endTagAdded(reading.elements.size(), false),
        moved(reading.elements.size(), false) {
    design.end = code.size();
  }

  std::string_view code;
  const HtmlReading& reading;
  std::vector<std::optional<Text>> startTag;  // by element: its new start tag
  std::vector<std::size_t> dropped;           // end tags taken out (tokens), in order
  std::vector<bool> endTagAdded;              // by element: closed where the code ends
  Text after;                                 // end tags written after everything

  // The part of the code that is the design: all of it, or what a full-screen
  // wrapper held (`box` itself kept when it carries the design).
  struct Design {
    int box = kNoElement;
    bool keepBox = false;
    std::size_t begin = 0, end = 0;
  } design;

  std::vector<bool> moved;                  // by element: written in a line, not where it stood
  std::unordered_map<int, LinedBox> lined;  // by box, kNoElement for the module

  // The parts of the code from `from` to `to` that stay, around the end tags
  // taken out, each handed to `f` in order.
  template <typename F>
  void eachKept(std::size_t from, std::size_t to, F f) const {
    auto it = std::lower_bound(
        dropped.begin(), dropped.end(), from,
        [&](std::size_t t, std::size_t at) { return reading.tokens[t].begin < at; });
    for (; it != dropped.end() && reading.tokens[*it].begin < to; ++it) {
      f(code.substr(from, reading.tokens[*it].begin - from));
      from = reading.tokens[*it].end;
    }
    if (to > from) f(code.substr(from, to - from));
  }

  std::string_view tagText(int id) const {
    return startTag[id] ? std::string_view(*startTag[id]) : reading.startTag(code, id);
  }
};

Text render(const Rewrite& rewrite);

}  // namespace lumdrift
