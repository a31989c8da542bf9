#include "generator/win32_clipboard.h"

#include <windows.h>

#include <cstring>

namespace lumdrift {

bool Win32Clipboard::putText(std::string_view text) {
  if (!OpenClipboard(nullptr)) return false;
  // The block is ready before the clipboard is emptied, so that running out
  // of memory leaves the user's clipboard as it was.
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1);
  bool placed = false;
  if (block != nullptr) {
    if (void* bytes = GlobalLock(block)) {
      std::memcpy(bytes, text.data(), text.size());
      GlobalUnlock(block);
      placed = EmptyClipboard() && SetClipboardData(CF_TEXT, block) != nullptr;
    }
    if (!placed) GlobalFree(block);  // the clipboard owns it only once placed
  }
  CloseClipboard();
  return placed;
}

}  // namespace lumdrift
