#pragma once
// Every text the tool handles is a byte string in the ANSI code page (GBK),
// held as it is and never converted.

#include <string>
#include <string_view>

namespace lumdrift {

using Text = std::string;

// In GBK a byte of 0x80 or more starts a double-byte character; the byte
// after it belongs to the same character whatever its value.
constexpr bool isLeadByte(unsigned char b) {
  return b >= 0x80;
}

}  // namespace lumdrift
