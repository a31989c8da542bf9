#include "base/program_path.h"

namespace lumdrift {

std::size_t lastSeparator(std::string_view path) {
  std::size_t last = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto b = static_cast<unsigned char>(path[i]);
    if (isLeadByte(b)) {
      ++i;  // the trail byte may be 0x5C and is no separator
    } else if (b == '\\') {
      last = i;
    }
  }
  return last;
}

ProgramLocation splitModulePath(std::string_view modulePath) {
  const std::size_t sep = lastSeparator(modulePath);
  if (sep == std::string_view::npos) return {Text(), Text(modulePath)};
  return {Text(modulePath.substr(0, sep)), Text(modulePath.substr(sep + 1))};
}

Text withTrailingSeparator(std::string_view folder) {
  Text out(folder);
  if (out.empty() || lastSeparator(out) != out.size() - 1) out.push_back('\\');
  return out;
}

}  // namespace lumdrift
