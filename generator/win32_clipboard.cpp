#include "generator/win32_clipboard.h"

#include <cstring>

#include "base/win32_debug_log.h"
#include "base/win32_handles.h"
#include "base/win32_text.h"

namespace lumdrift {

bool Win32Clipboard::putText(std::string_view text) {
  // Unicode only: Windows derives the ANSI form for older readers in their
  // own code page.
  const std::wstring wideText = win32::wide(text);
  const std::size_t bytesNeeded = (wideText.size() + 1) * sizeof(wchar_t);
  const win32::ClipboardSession session;
  if (!session.open()) {
    win32::logLastError("OpenClipboard");
    return false;
  }
  // The block is ready before the clipboard is emptied, so that running out
  // of memory leaves the user's clipboard as it was.
  win32::GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytesNeeded));
  if (!block) {
    win32::logLastError("GlobalAlloc for the clipboard");
    return false;
  }
  void* bytes = GlobalLock(block.get());
  if (bytes == nullptr) {
    win32::logLastError("GlobalLock");
    return false;
  }
  std::memcpy(bytes, wideText.c_str(), bytesNeeded);
  GlobalUnlock(block.get());
  if (!EmptyClipboard()) {
    win32::logLastError("EmptyClipboard");
    return false;
  }
  if (SetClipboardData(CF_UNICODETEXT, block.get()) == nullptr) {
    win32::logLastError("SetClipboardData");
    return false;
  }
  block.release();  // the clipboard owns it now
  return true;
}

}  // namespace lumdrift
