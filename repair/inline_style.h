#pragma once
// A style attribute's declarations as written, and the lengths a repair can
// be sure of: pixels, and a bare zero.

#include <optional>
#include <string_view>
#include <vector>

#include "base/text.h"

namespace lumdrift {

struct Declaration {
  std::size_t begin, end;  // the text between its semicolons, spaces included
  Text property;           // in ASCII lower case; empty when the text names none
  std::string_view value;  // without spaces around it and without !important
  bool important = false;
};

// Split at the semicolons that end declarations, not those inside quotes,
// parentheses (a data: URL) or comments.
std::vector<Declaration> declarationsOf(std::string_view style);

// The value that applies to a property: the last one, unless an earlier one
// is !important and it is not.
std::optional<std::string_view> valueFor(const std::vector<Declaration>& declarations,
                                         std::string_view property);

// "12px", "-3.5PX", "+4px", "0"; nothing for any other unit or keyword, and
// nothing past ten million pixels, where no design lies.
std::optional<double> pixels(std::string_view value);

enum class Side { Top, Right, Bottom, Left };

// One side of a box property ("margin", "padding") as the shorthand and the
// longhands together decide it: 0 when neither is there, nothing when the
// value that applies is not in pixels.
std::optional<double> boxSide(const std::vector<Declaration>& declarations,
                              std::string_view property, Side side);

}  // namespace lumdrift
