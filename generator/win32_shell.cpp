#include "generator/win32_shell.h"

#include <windows.h>
// windows.h before the other system headers
#include <shellapi.h>

#include "base/win32_debug_log.h"

namespace lumdrift {

void Win32Shell::openDocument(const Text& path) {
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  // A missing page or association shows the user nothing; only the log knows.
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32)
    win32::logFailure("ShellExecute of the preview page", static_cast<DWORD>(result));
}

}  // namespace lumdrift
