#pragma once
// The choices of the top spacing list, one row each, in the list's order. A
// preset puts its value into the spacing box and keeps the box hidden; the
// custom choice shows the box for a value of the user's own.

#include <array>
#include <string_view>

#include "base/captions.h"

namespace lumdrift {

struct TopSpacing {
  std::string_view listCaption;
  std::string_view value;  // the spacing box's text once chosen
  bool custom;
};

inline constexpr TopSpacing kTopSpacings[] = {
    {caption::kSpacingDefault, "0", false},
    {"-10", "-10", false},
    {"-20", "-20", false},
    // Not a number yet: generating before the user types one says so.
    {caption::kSpacingCustom, "-", true},
};

constexpr const TopSpacing* topSpacingAt(int index) {
  return index >= 0 && index < static_cast<int>(std::size(kTopSpacings)) ? &kTopSpacings[index]
                                                                         : nullptr;
}

inline constexpr auto kTopSpacingItems = [] {
  std::array<std::string_view, std::size(kTopSpacings)> items{};
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = kTopSpacings[i].listCaption;
  return items;
}();

}  // namespace lumdrift
