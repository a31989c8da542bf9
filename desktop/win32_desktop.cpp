#include "desktop/win32_desktop.h"

#include <windows.h>
// windows.h before the other system headers
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <string>

#include "app/program_path.h"

namespace lumdrift {

using Microsoft::WRL::ComPtr;

Text Win32Desktop::folder() {
  char path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE) || path[0] == '\0') {
    return {};
  }
  return withTrailingSeparator(path);
}

bool Win32Desktop::createShortcut(const Text& linkPath, const Text& targetPath,
                                  const Text& description) {
  ComPtr<IShellLinkA> link;
  if (FAILED(
          CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) {
    return false;
  }
  ComPtr<IPersistFile> file;
  if (FAILED(link.As(&file))) return false;
  link->SetPath(targetPath.c_str());
  link->SetShowCmd(SW_SHOW);
  link->SetDescription(description.c_str());
  const int wideLength = MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, nullptr, 0);
  if (wideLength <= 0) return false;
  std::wstring wide(static_cast<std::size_t>(wideLength), L'\0');
  MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide.data(), wideLength);
  return SUCCEEDED(file->Save(wide.c_str(), TRUE));
}

}  // namespace lumdrift
