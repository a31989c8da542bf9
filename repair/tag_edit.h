#pragma once
// A start tag changed in one attribute, and a style changed in a few
// declarations, with everything else as the seller wrote it.

#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "repair/html_reader.h"
#include "repair/inline_style.h"

namespace lumdrift {

// The style without the declarations of the `dropped` properties, then
// `added`.
Text restyled(std::string_view style, const std::vector<Declaration>& declarations,
              std::span<const std::string_view> dropped, std::string_view added);

// The start tag with the attribute's value in place of the old one; nothing
// when the value cannot be written in quotes it does not hold, or the
// attribute has no value to replace.
std::optional<Text> withValue(std::string_view code, const Token& tag, const Attribute& a,
                              std::string_view value);

}  // namespace lumdrift
