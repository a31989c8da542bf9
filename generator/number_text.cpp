#include "generator/number_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "base/text.h"

namespace lumdrift {
namespace {

constexpr bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
constexpr bool isSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// Length of the longest prefix of s that reads as digits [. digits] [e[sign]digits]
// with at least one digit in the mantissa; 0 when there is none.
std::size_t decimalPrefix(std::string_view s) {
  std::size_t i = 0;
  std::size_t digits = 0;
  while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && isDigit(s[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j < s.size() && isDigit(s[j])) {
      while (j < s.size() && isDigit(s[j])) ++j;
      i = j;
    }
  }
  return i;
}

// The ASCII character a full-width form stands for, or 0.
char asciiFor(char32_t cp) {
  if (cp >= 0xFF01 && cp <= 0xFF5E) return static_cast<char>(cp - 0xFF01 + '!');
  switch (cp) {
    case 0xFFE5: return '$';  // ￥, in the full-width row where $ would be
    case 0xFFE3: return '~';  // ￣, the row's last place
    case 0x3000: return ' ';  // the ideographic space
    case 0x2606:              // ☆
    case 0x2605: return '*';  // ★
    default: return '\0';
  }
}

// The number at the start of the folded text, without any range check.
std::optional<double> readNumber(std::string_view text) {
  const std::string folded = foldFullWidth(text);
  std::string_view s = folded;
  while (!s.empty() && isSpace(s.front())) s.remove_prefix(1);
  bool negative = false;
  if (!s.empty() && (s.front() == '+' || s.front() == '-')) {
    negative = s.front() == '-';
    s.remove_prefix(1);
  }
  const std::size_t n = decimalPrefix(s);
  if (n == 0) return std::nullopt;
  // from_chars reads the same grammar as strtod and ignores the locale; only
  // values out of double's range go to strtod, which saturates them.
  double value = 0.0;
  if (std::from_chars(s.data(), s.data() + n, value).ec == std::errc::result_out_of_range) {
    value = std::strtod(std::string(s.substr(0, n)).c_str(), nullptr);
  }
  return negative ? -value : value;
}

}  // namespace

std::string foldFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t n = characterLength(text, i);
    const char folded = asciiFor(codePointOf(text.substr(i, n)));
    if (folded != '\0') {
      out.push_back(folded);
    } else {
      out.append(text.substr(i, n));
    }
    i += n;
  }
  return out;
}

double textToNumber(std::string_view text) {
  return readNumber(text).value_or(0.0);
}

std::optional<double> numberIn(std::string_view text) {
  const std::optional<double> value = readNumber(text);
  if (!value || !std::isfinite(*value)) return std::nullopt;
  return value;
}

}  // namespace lumdrift
