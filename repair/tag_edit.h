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

struct NewValue {
  const Attribute* attribute;
  Text value;
};

// The start tag with each attribute's value in place of the old one; nothing
// when a value cannot be written in quotes it does not hold, or an attribute
// has no value to replace.
std::optional<Text> withValues(std::string_view code, const Token& tag,
                               std::vector<NewValue> values);
inline std::optional<Text> withValue(std::string_view code, const Token& tag, const Attribute& a,
                                     std::string_view value) {
  return withValues(code, tag, {{&a, Text(value)}});
}

}  // namespace lumdrift
