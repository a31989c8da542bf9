#include "base/html_text.h"

namespace lumdrift {

Text htmlEscaped(std::string_view text) {
  Text out;
  out.reserve(text.size() + text.size() / 8 + 16);
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace lumdrift
