#pragma once
// The one number the tool reads: the module width, typed by the user in any
// mix of ASCII and the full-width forms a Chinese input method types.

#include <optional>
#include <string>
#include <string_view>

namespace lumdrift {

// The full-width forms U+FF01 to U+FF5E become the ASCII characters they
// stand for, ￥ a dollar sign and ￣ a tilde (the places GBK's full-width row
// gives them), the ideographic space a space, ☆ and ★ an asterisk. Every
// other character is kept.
std::string foldFullWidth(std::string_view text);

// The number at the start of the text, read as textToNumber reads it;
// nullopt when the text holds none (empty, "abc", a lone "-") or it is out of
// double's range.
std::optional<double> numberIn(std::string_view text);

// Reads the text as C's atof does, after folding full-width forms: leading
// white space skipped, then the longest decimal floating-point prefix; 0 when
// there is none.
double textToNumber(std::string_view text);

}  // namespace lumdrift
