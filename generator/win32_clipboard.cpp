#include "generator/win32_clipboard.h"

#include <windows.h>

#include <cstring>
#include <memory>

namespace lumdrift {
namespace {

// Open for as long as it lives.
class ClipboardSession {
 public:
  ClipboardSession() : open_(OpenClipboard(nullptr) != FALSE) {}
  ~ClipboardSession() {
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

struct GlobalFreer {
  void operator()(void* block) const { GlobalFree(block); }
};
using GlobalBlock = std::unique_ptr<void, GlobalFreer>;

}  // namespace

bool Win32Clipboard::putText(std::string_view text) {
  const ClipboardSession session;
  if (!session.open()) return false;
  // The block is ready before the clipboard is emptied, so that running out
  // of memory leaves the user's clipboard as it was.
  GlobalBlock block(GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1));
  if (!block) return false;
  void* bytes = GlobalLock(block.get());
  if (bytes == nullptr) return false;
  std::memcpy(bytes, text.data(), text.size());
  GlobalUnlock(block.get());
  if (!EmptyClipboard() || SetClipboardData(CF_TEXT, block.get()) == nullptr) return false;
  block.release();  // the clipboard owns it now
  return true;
}

}  // namespace lumdrift
