#include "app/win32/win32_clipboard.h"

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
  if (!session.open()) return win32::failed("OpenClipboard");
  // The block is ready before the clipboard is emptied, so that running out
  // of memory leaves the user's clipboard as it was.
  win32::GlobalMemory block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytesNeeded));
  if (!block) return win32::failed("GlobalAlloc for the clipboard");
  {
    const win32::LockedMemory locked(block.get());
    if (locked.bytes() == nullptr) return win32::failed("GlobalLock");
    std::memcpy(locked.bytes(), wideText.c_str(), bytesNeeded);
  }
  if (!EmptyClipboard()) return win32::failed("EmptyClipboard");
  if (SetClipboardData(CF_UNICODETEXT, block.get()) == nullptr) {
    return win32::failed("SetClipboardData");
  }
  block.release();  // the clipboard owns it now
  return true;
}

}  // namespace lumdrift
