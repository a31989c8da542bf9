#pragma once
// Every text the tool handles is Unicode, held as UTF-8. Text crosses into
// other encodings only at the edges: UTF-16 at the window, the clipboard and
// the file system, GBK where the template site and the preview page need it.

#include <cstddef>
#include <string>
#include <string_view>

namespace lumdrift {

using Text = std::string;

// Bytes of the UTF-8 character that starts at `at`: its lead byte and the
// continuation bytes that follow it, up to the length the lead byte
// announces. A stray byte counts as a character of its own, so a scan that
// steps by characters never stalls and never starts inside one.
inline std::size_t characterLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  const std::size_t announced = lead >= 0xF8   ? 1
                                : lead >= 0xF0 ? 4
                                : lead >= 0xE0 ? 3
                                : lead >= 0xC0 ? 2
                                               : 1;
  std::size_t n = 1;
  while (n < announced && at + n < text.size() &&
         (static_cast<unsigned char>(text[at + n]) & 0xC0) == 0x80) {
    ++n;
  }
  return n;
}

// The number of the character `c` spans (as characterLength measures it);
// U+FFFD for a stray byte, a character cut short, and for what no UTF-8
// encoder writes: a longer form than the number needs (F0 82 98 85 must not
// pass for ★), a surrogate, or a number past U+10FFFF.
inline char32_t codePointOf(std::string_view c) {
  const auto lead = static_cast<unsigned char>(c[0]);
  if (lead < 0x80) return lead;
  const std::size_t announced = lead >= 0xF8   ? 1
                                : lead >= 0xF0 ? 4
                                : lead >= 0xE0 ? 3
                                : lead >= 0xC0 ? 2
                                               : 1;
  if (announced == 1 || c.size() != announced) return 0xFFFD;
  char32_t value = lead & (0x7F >> c.size());
  for (std::size_t i = 1; i < c.size(); ++i) {
    value = value << 6 | (static_cast<unsigned char>(c[i]) & 0x3F);
  }
  constexpr char32_t kShortest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (value < kShortest[c.size()] || (value >= 0xD800 && value <= 0xDFFF) || value > 0x10FFFF) {
    return 0xFFFD;
  }
  return value;
}

// ASCII letters in lower case; every other byte as it is.
inline char asciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

inline Text asciiLowered(std::string_view s) {
  Text out(s);
  for (char& c : out) c = asciiLower(c);
  return out;
}

}  // namespace lumdrift
