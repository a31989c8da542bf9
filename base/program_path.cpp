#include "base/program_path.h"

namespace lumdrift {

ProgramLocation splitModulePath(std::string_view modulePath) {
  const std::size_t sep = modulePath.rfind('\\');
  if (sep == std::string_view::npos) return {Text(), Text(modulePath)};
  return {Text(modulePath.substr(0, sep)), Text(modulePath.substr(sep + 1))};
}

Text withTrailingSeparator(std::string_view folder) {
  Text out(folder);
  if (out.empty() || out.back() != '\\') out.push_back('\\');
  return out;
}

bool liesUnder(std::string_view path, std::string_view folder) {
  const Text base = withTrailingSeparator(folder);
  const Text full = withTrailingSeparator(path);
  if (folder.empty() || full.size() < base.size()) return false;
  for (std::size_t i = 0; i < base.size(); ++i) {
    if (asciiLower(full[i]) != asciiLower(base[i])) return false;
  }
  return true;
}

}  // namespace lumdrift
