#include "desktop/win32_desktop.h"

#include <windows.h>
// windows.h before the other system headers
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <string>

#include "base/program_path.h"
#include "base/win32_debug_log.h"

namespace lumdrift {

using Microsoft::WRL::ComPtr;

namespace {

bool succeeded(HRESULT hr, std::string_view what) {
  if (FAILED(hr)) win32::logFailure(what, static_cast<DWORD>(hr));
  return SUCCEEDED(hr);
}

}  // namespace

Text Win32Desktop::folder() {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE) || path[0] == '\0') {
    win32::logLastError("SHGetSpecialFolderPath of the desktop");
    return {};
  }
  return withTrailingSeparator(path);
}

bool Win32Desktop::createShortcut(const Text& linkPath, const Text& targetPath,
                                  const Text& description) {
  ComPtr<IShellLinkA> link;
  if (!succeeded(
          CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)),
          "CoCreateInstance of the shell link")) {
    return false;
  }
  ComPtr<IPersistFile> file;
  if (!succeeded(link.As(&file), "IPersistFile of the shell link")) return false;
  link->SetPath(targetPath.c_str());
  link->SetShowCmd(SW_SHOW);
  link->SetDescription(description.c_str());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, nullptr, 0);
  if (wideLength <= 0) {
    win32::logLastError("MultiByteToWideChar of the link path");
    return false;
  }
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide.data(), wideLength);
  return succeeded(file->Save(wide.c_str(), TRUE), "saving the shell link");
}

}  // namespace lumdrift
