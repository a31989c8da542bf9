#include "app/win32/win32_desktop.h"

#include <windows.h>
// windows.h before the other system headers
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <string>

#include "base/program_path.h"
#include "base/win32_debug_log.h"
#include "base/win32_text.h"

namespace lumdrift {

using Microsoft::WRL::ComPtr;

Text Win32Desktop::folder() {
  wchar_t path[MAX_PATH] = {};
  const HRESULT hr =
      SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path);
  if (!win32::succeeded(hr, "SHGetFolderPath of the desktop")) return {};
  if (path[0] == L'\0') {
    win32::failedWith("SHGetFolderPath of the desktop, an empty path,", ERROR_PATH_NOT_FOUND);
    return {};
  }
  return withTrailingSeparator(win32::narrow(path));
}

bool Win32Desktop::createShortcut(const Text& linkPath, const Text& targetPath,
                                  const Text& description) {
  ComPtr<IShellLinkW> link;
  if (!win32::succeeded(
          CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)),
          "CoCreateInstance of the shell link")) {
    return false;
  }
  ComPtr<IPersistFile> file;
  if (!win32::succeeded(link.As(&file), "IPersistFile of the shell link")) return false;
  if (!win32::succeeded(link->SetPath(win32::wide(targetPath).c_str()),
                        "SetPath of the shell link") ||
      !win32::succeeded(link->SetShowCmd(SW_SHOW), "SetShowCmd of the shell link") ||
      !win32::succeeded(link->SetDescription(win32::wide(description).c_str()),
                        "SetDescription of the shell link")) {
    return false;
  }
  return win32::succeeded(file->Save(win32::wide(linkPath).c_str(), TRUE), "saving the shell link");
}

}  // namespace lumdrift
