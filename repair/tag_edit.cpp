#include "repair/tag_edit.h"

#include <algorithm>

namespace lumdrift {
namespace {

constexpr std::string_view kSpaces = " \t\r\n\f";

}  // namespace

Text restyled(std::string_view style, const std::vector<Declaration>& declarations,
              std::span<const std::string_view> dropped, std::string_view added) {
  Text out;
  for (const Declaration& d : declarations) {
    if (std::find(dropped.begin(), dropped.end(), d.property) != dropped.end()) continue;
    const std::string_view text = style.substr(d.begin, d.end - d.begin);
    if (text.find_first_not_of(kSpaces) == std::string_view::npos) continue;
    if (!out.empty()) out += ';';
    out += text;
  }
  while (!out.empty() && kSpaces.find(out.back()) != std::string_view::npos) out.pop_back();
  const std::size_t last = style.find_last_not_of(kSpaces);
  const bool endedWithSemicolon = last != std::string_view::npos && style[last] == ';';
  if (!out.empty() && out.back() != ';' && (!added.empty() || endedWithSemicolon)) out += ';';
  out += added;
  return out;
}

std::optional<Text> withValues(std::string_view code, const Token& tag,
                               std::vector<NewValue> values) {
  std::sort(values.begin(), values.end(), [](const NewValue& x, const NewValue& y) {
    return x.attribute->valueBegin < y.attribute->valueBegin;
  });
  Text out;
  std::size_t at = tag.begin;
  for (const NewValue& v : values) {
    const Attribute& a = *v.attribute;
    char quote = a.quote;
    if (quote == 0) {
      const std::string_view old = valueOf(code, a);
      if (old.find('"') == std::string_view::npos) {
        quote = '"';
      } else if (old.find('\'') == std::string_view::npos) {
        quote = '\'';
      } else {
        return std::nullopt;
      }
    }
    if (v.value.find(quote) != Text::npos) return std::nullopt;
    if (a.valueEnd == a.nameEnd) return std::nullopt;  // an attribute without a value
    const std::size_t from = a.valueBegin - (a.quote != 0 ? 1 : 0);
    out.append(code.substr(at, from - at));
    out += quote;
    out += v.value;
    out += quote;
    at = a.valueEnd + (a.quote != 0 ? 1 : 0);
  }
  out.append(code.substr(at, tag.end - at));
  return out;
}

}  // namespace lumdrift
