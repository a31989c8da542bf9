#include "base/win32_debug_log.h"

#include <string>

namespace lumdrift::win32 {

void debugLine(std::string_view text) {
  std::string line = "Lumdrift: ";
  line.append(text);
  line.push_back('\n');
  OutputDebugStringA(line.c_str());
}

void logFailure(std::string_view what, DWORD error) {
  std::string text(what);
  text += " failed, error ";
  text += std::to_string(error);
  debugLine(text);
}

}  // namespace lumdrift::win32
