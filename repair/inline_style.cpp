#include "repair/inline_style.h"

#include <charconv>
#include <cmath>

#include "repair/html_names.h"

namespace lumdrift {
namespace {

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && isHtmlSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && isHtmlSpace(s.back())) s.remove_suffix(1);
  return s;
}

bool isNameChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '_';
}

std::size_t skipComments(std::string_view s, std::size_t at) {
  for (;;) {
    while (at < s.size() && isHtmlSpace(s[at])) ++at;
    if (s.substr(at, 2) != "/*") return at;
    const std::size_t end = s.find("*/", at + 2);
    at = end == std::string_view::npos ? s.size() : end + 2;
  }
}

Declaration parse(std::string_view style, std::size_t begin, std::size_t end) {
  Declaration d{begin, end, {}, {}};
  const std::string_view text = style.substr(begin, end - begin);
  std::size_t at = skipComments(text, 0);
  const std::size_t nameBegin = at;
  while (at < text.size() && isNameChar(text[at])) ++at;
  const std::size_t nameEnd = at;
  at = skipComments(text, at);
  if (nameEnd == nameBegin || at >= text.size() || text[at] != ':') return d;
  for (std::size_t i = nameBegin; i < nameEnd; ++i) d.property += asciiLower(text[i]);
  std::string_view value = trimmed(text.substr(at + 1));
  // "!important", in any case and with spaces after the "!".
  const std::size_t bang = value.rfind('!');
  if (bang != std::string_view::npos) {
    const std::string_view word = trimmed(value.substr(bang + 1));
    Text lower;
    for (char c : word) lower += asciiLower(c);
    if (lower == "important") {
      d.important = true;
      value = trimmed(value.substr(0, bang));
    }
  }
  d.value = value;
  return d;
}

}  // namespace

std::vector<Declaration> declarationsOf(std::string_view style) {
  std::vector<Declaration> out;
  std::size_t start = 0;
  int depth = 0;
  char quote = 0;
  for (std::size_t i = 0; i < style.size(); ++i) {
    const char c = style[i];
    if (c == '\\') {
      ++i;
    } else if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == '"' || c == '\'') {
      quote = c;
    } else if (c == '/' && i + 1 < style.size() && style[i + 1] == '*') {
      const std::size_t end = style.find("*/", i + 2);
      i = end == std::string_view::npos ? style.size() : end + 1;
    } else if (c == '(') {
      ++depth;
    } else if (c == ')') {
      if (depth > 0) --depth;
    } else if (c == ';' && depth == 0) {
      out.push_back(parse(style, start, i));
      start = i + 1;
    }
  }
  out.push_back(parse(style, start, style.size()));
  return out;
}

std::optional<std::string_view> valueFor(const std::vector<Declaration>& declarations,
                                         std::string_view property) {
  const Declaration* winner = nullptr;
  for (const Declaration& d : declarations) {
    if (d.property != property) continue;
    if (winner == nullptr || d.important || !winner->important) winner = &d;
  }
  if (winner == nullptr) return std::nullopt;
  return winner->value;
}

std::optional<double> pixels(std::string_view value) {
  value = trimmed(value);
  if (value == "0" || value == "+0" || value == "-0") return 0.0;
  if (value.size() < 3) return std::nullopt;
  const std::string_view unit = value.substr(value.size() - 2);
  if (asciiLower(unit[0]) != 'p' || asciiLower(unit[1]) != 'x') return std::nullopt;
  std::string_view number = value.substr(0, value.size() - 2);
  if (!number.empty() && number.front() == '+') number.remove_prefix(1);
  // Digits with at most one point; no exponent, no spaces before the unit.
  bool digit = false;
  bool point = false;
  for (std::size_t i = 0; i < number.size(); ++i) {
    const char c = number[i];
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if (c == '.' && !point) {
      point = true;
    } else if (!(c == '-' && i == 0)) {
      return std::nullopt;
    }
  }
  if (!digit) return std::nullopt;
  double result = 0;
  const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), result);
  if (ec != std::errc() || end != number.data() + number.size()) return std::nullopt;
  if (!(std::fabs(result) <= 1e7)) return std::nullopt;
  return result;
}

std::optional<double> boxSide(const std::vector<Declaration>& declarations,
                              std::string_view property, Side side) {
  static constexpr std::string_view kSideNames[] = {"-top", "-right", "-bottom", "-left"};
  const int index = static_cast<int>(side);
  const Text longhand = Text(property) + Text(kSideNames[index]);
  const Declaration* winner = nullptr;
  for (const Declaration& d : declarations) {
    if (d.property != property && d.property != longhand) continue;
    if (winner == nullptr || d.important || !winner->important) winner = &d;
  }
  if (winner == nullptr) return 0.0;
  if (winner->property == longhand) return pixels(winner->value);
  // The shorthand: one to four values, top right bottom left, the missing
  // ones copied from their opposite side.
  std::string_view values[4];
  int n = 0;
  std::string_view rest = winner->value;
  while (!(rest = trimmed(rest)).empty()) {
    if (n == 4) return std::nullopt;
    std::size_t end = 0;
    while (end < rest.size() && !isHtmlSpace(rest[end])) ++end;
    values[n++] = rest.substr(0, end);
    rest.remove_prefix(end);
  }
  if (n == 0) return std::nullopt;
  static constexpr int kFrom[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
  return pixels(values[kFrom[n - 1][index]]);
}

}  // namespace lumdrift
