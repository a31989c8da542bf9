#include "app/win32/win32_program_folders.h"

#include <windows.h>
// windows.h before the other system headers
#include <shlobj.h>

#include "base/win32_debug_log.h"
#include "base/win32_text.h"

namespace lumdrift::win32 {
namespace {

Text withoutTrailingSeparator(Text path) {
  // "C:\" keeps its separator: without it, it would name the drive's current
  // directory.
  if (path.size() > 3 && path.back() == '\\') path.pop_back();
  return path;
}

// A temporary folder may come in its short 8.3 form (C:\Users\ADMINI~1\...),
// while the program's own path comes long; compared, they must be alike.
Text longTempFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
  if (n == 0 || n > MAX_PATH) {
    failed("GetTempPath");
    return {};
  }
  std::wstring full(32768, L'\0');
  const DWORD m = GetLongPathNameW(temp, full.data(), static_cast<DWORD>(full.size()));
  if (m == 0 || m >= full.size()) {
    failed("GetLongPathName of the temporary folder");
    return withoutTrailingSeparator(narrow(temp));
  }
  full.resize(m);
  return withoutTrailingSeparator(narrow(full));
}

}  // namespace

Text modulePath() {
  // MAX_PATH is no limit for the path a program runs from: grow until the
  // whole path fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) {
      failed("GetModuleFileName");
      return {};
    }
    if (n < path.size()) {
      path.resize(n);
      return narrow(path);
    }
    if (path.size() >= 32768) return narrow(path);
    path.resize(path.size() * 2);
  }
}

UserFolders userFolders() {
  UserFolders folders;
  wchar_t local[MAX_PATH] = {};
  const HRESULT hr =
      SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, local);
  if (SUCCEEDED(hr) && local[0] != L'\0') {
    folders.ownData = withoutTrailingSeparator(narrow(local)) + "\\Lumdrift";
  } else {
    failedWith("SHGetFolderPath of the local application data", static_cast<DWORD>(hr));
  }
  folders.temp = longTempFolder();
  return folders;
}

}  // namespace lumdrift::win32
