#include "desktop/win32_desktop.h"

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

namespace {

bool succeeded(HRESULT hr, std::string_view what) {
  if (FAILED(hr)) win32::logFailure(what, static_cast<DWORD>(hr));
  return SUCCEEDED(hr);
}

}  // namespace

Text Win32Desktop::folder() {
  wchar_t path[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, path, CSIDL_DESKTOPDIRECTORY, FALSE) || path[0] == L'\0') {
    win32::logLastError("SHGetSpecialFolderPath of the desktop");
    return {};
  }
  return withTrailingSeparator(win32::narrow(path));
}

bool Win32Desktop::createShortcut(const Text& linkPath, const Text& targetPath,
                                  const Text& description) {
  ComPtr<IShellLinkW> link;
  if (!succeeded(
          CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)),
          "CoCreateInstance of the shell link")) {
    return false;
  }
  ComPtr<IPersistFile> file;
  if (!succeeded(link.As(&file), "IPersistFile of the shell link")) return false;
  if (!succeeded(link->SetPath(win32::wide(targetPath).c_str()), "SetPath of the shell link") ||
      !succeeded(link->SetShowCmd(SW_SHOW), "SetShowCmd of the shell link") ||
      !succeeded(link->SetDescription(win32::wide(description).c_str()),
                 "SetDescription of the shell link")) {
    return false;
  }
  return succeeded(file->Save(win32::wide(linkPath).c_str(), TRUE), "saving the shell link");
}

}  // namespace lumdrift
