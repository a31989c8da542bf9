#include "repair/repair.h"

namespace lumdrift {

Text excerpt(std::string_view code) {
  constexpr std::size_t kMost = 160;
  if (code.size() <= kMost) return Text(code);
  std::size_t cut = kMost;
  while (cut > 0 && (static_cast<unsigned char>(code[cut]) & 0xC0) == 0x80) --cut;
  return Text(code.substr(0, cut)) + "…";
}

}  // namespace lumdrift
