#include "app/win32/win32_shell.h"

#include <windows.h>
// windows.h before the other system headers
#include <shellapi.h>

#include "base/win32_debug_log.h"
#include "base/win32_text.h"

namespace lumdrift {

bool Win32Shell::openDocument(const Text& path) {
  // A browser window that is already open owns whatever the shell shows for
  // the page, so that its questions come up over the browser the seller is
  // about to look at; with none open, the desktop owns them.
  HWND owner = FindWindowExW(nullptr, nullptr, nullptr, L"Microsoft Internet Explorer");
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, L"open", win32::wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  if (result > 32) return true;
  return win32::failedWith("ShellExecute of the preview page", static_cast<DWORD>(result));
}

}  // namespace lumdrift
