#pragma once
// The one number the tool reads: the module width, typed by the user in any
// mix of ASCII and GBK full-width characters.

#include <string>
#include <string_view>

namespace lumdrift {

// Full-width forms of GBK row A3 become the ASCII character with the same low
// seven bits; A1A1 becomes a space, A1AB a tilde, A1EE and A1EF an asterisk.
// Every other byte or character is kept.
std::string foldFullWidth(std::string_view text);

// Reads the text as C's atof does, after folding full-width forms: leading
// white space skipped, then the longest decimal floating-point prefix; 0 when
// there is none.
double textToNumber(std::string_view text);

// "%.13g": at most 13 significant digits, negative zero as "-0".
std::string formatNumber(double value);

}  // namespace lumdrift
