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

std::optional<Text> withValue(std::string_view code, const Token& tag, const Attribute& a,
                              std::string_view value) {
  const std::string_view text = code.substr(tag.begin, tag.end - tag.begin);
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
  if (value.find(quote) != std::string_view::npos) return std::nullopt;
  if (a.valueEnd == a.nameEnd) return std::nullopt;  // an attribute without a value
  const std::size_t from = a.valueBegin - tag.begin - (a.quote != 0 ? 1 : 0);
  const std::size_t to = a.valueEnd - tag.begin + (a.quote != 0 ? 1 : 0);
  return Text(text.substr(0, from)) + quote + Text(value) + quote + Text(text.substr(to));
}

}  // namespace lumdrift
