#include "base/win32_debug_log.h"

#include <string>

namespace lumdrift::win32 {

void debugLine(std::string_view text) {
  std::string line = "Lumdrift: ";
  line.append(text);
  line.push_back('\n');
  OutputDebugStringA(line.c_str());
}

bool failedWith(std::string_view call, DWORD error, Where where) {
  // The file's own name is enough to find the line.
  std::string_view file = where.file_name();
  file = file.substr(file.find_last_of("/\\") + 1);
  std::string text(call);
  text += " failed, error ";
  text += std::to_string(error);
  text += " at ";
  text += file;
  text += ':';
  text += std::to_string(where.line());
  debugLine(text);
  return false;
}

bool failed(std::string_view call, Where where) {
  return failedWith(call, GetLastError(), where);
}

bool succeeded(HRESULT result, std::string_view call, Where where) {
  if (SUCCEEDED(result)) return true;
  return failedWith(call, static_cast<DWORD>(result), where);
}

}  // namespace lumdrift::win32
