#include "generator/win32_shell.h"

#include <windows.h>
// windows.h before the other system headers
#include <shellapi.h>

#include "base/win32_debug_log.h"
#include "base/win32_text.h"

namespace lumdrift {

bool Win32Shell::openDocument(const Text& path) {
  HWND owner = FindWindowExW(nullptr, nullptr, nullptr, L"Microsoft Internet Explorer");
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, L"open", win32::wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return true;
  win32::logFailure("ShellExecute of the preview page", static_cast<DWORD>(result));
  return false;
}

}  // namespace lumdrift
