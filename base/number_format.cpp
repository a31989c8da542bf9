#include "base/number_format.h"

#include <cstdio>

namespace lumdrift {

std::string formatNumber(double value) {
  char buf[64];
  const int n = std::snprintf(buf, sizeof buf, "%.13g", value);
  return std::string(buf, n > 0 ? static_cast<std::size_t>(n) : 0);
}

std::string cssPixels(double value) {
  return value == 0 ? std::string("0") : formatNumber(value) + "px";
}

}  // namespace lumdrift
