#include "generator/win32_file_writer.h"

#include <string>

#include "base/win32_debug_log.h"
#include "base/win32_handles.h"

namespace lumdrift {
namespace {

bool writeAll(HANDLE file, std::string_view bytes) {
  constexpr std::size_t kStep = 1u << 20;
  while (!bytes.empty()) {
    const DWORD want = static_cast<DWORD>(bytes.size() < kStep ? bytes.size() : kStep);
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), want, &written, nullptr) || written == 0) {
      win32::logLastError("WriteFile of the preview page");
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool Win32FileWriter::replaceFile(const Text& path, std::string_view bytes) {
  // The process id keeps two copies of the tool in one directory apart.
  const Text temp = path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
  win32::FileHandle file(CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    win32::logLastError("CreateFile of the preview page");
    return false;
  }
  bool ok = writeAll(file.get(), bytes);
  // Closed before the move: a file still open cannot take the page's place.
  if (!file.close()) {
    win32::logLastError("CloseHandle of the preview page");
    ok = false;
  }
  if (ok && !MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    win32::logLastError("MoveFileEx of the preview page");
    ok = false;
  }
  if (!ok) DeleteFileA(temp.c_str());
  return ok;
}

}  // namespace lumdrift
