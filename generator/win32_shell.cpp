#include "generator/win32_shell.h"

#include <windows.h>
// windows.h before the other system headers
#include <shellapi.h>

namespace lumdrift {

void Win32Shell::openDocument(const Text& path) {
  HWND owner = FindWindowExA(nullptr, nullptr, nullptr, "Microsoft Internet Explorer");
  // Ignored on purpose: a missing page or association shows nothing.
  ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace lumdrift
