#include "app/win32/win32_file_writer.h"

#include <string>

#include "base/win32_debug_log.h"
#include "base/win32_handles.h"
#include "base/win32_text.h"

namespace lumdrift {
namespace {

bool writeAll(HANDLE file, std::string_view bytes) {
  constexpr std::size_t kStep = 1u << 20;
  while (!bytes.empty()) {
    const DWORD want = static_cast<DWORD>(bytes.size() < kStep ? bytes.size() : kStep);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), want, &written, nullptr) || written == 0) {
      return win32::failed("WriteFile of the preview page");
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool Win32FileWriter::replaceFile(const Text& path, std::string_view bytes) {
  // The process id keeps two copies of the tool in one directory apart.
  const std::wstring target = win32::wide(path);
  const std::wstring temp = target + L"." + std::to_wstring(GetCurrentProcessId()) + L".tmp";
  win32::FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return win32::failed("CreateFile of the preview page");
  bool ok = writeAll(file.get(), bytes);
  // Closed before the move: a file still open cannot take the page's place.
  if (!file.close()) ok = win32::failed("CloseHandle of the preview page");
  if (ok && !MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ok = win32::failed("MoveFileEx of the preview page");
  }
  if (!ok && !DeleteFileW(temp.c_str())) win32::failed("DeleteFile of the unfinished page");
  return ok;
}

bool Win32FileWriter::makeFolder(const Text& path) {
  if (CreateDirectoryW(win32::wide(path).c_str(), nullptr)) return true;
  const DWORD error = GetLastError();
  if (error == ERROR_ALREADY_EXISTS) return true;
  return win32::failedWith("CreateDirectory of the user's folder", error);
}

}  // namespace lumdrift
