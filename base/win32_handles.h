#pragma once
// The Win32 handles the tool owns, each closed by its owner's destructor.
// close() closes early and reports whether the system agreed.

#include <windows.h>
// windows.h before the other system headers
#include <ole2.h>
#include <wininet.h>

#include <atomic>
#include <utility>

namespace lumdrift::win32 {

template <typename Traits>
class UniqueHandle {
 public:
  using Handle = typename Traits::Handle;

  UniqueHandle() = default;
  explicit UniqueHandle(Handle h) : h_(h) {}
  ~UniqueHandle() { close(); }
  UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
  UniqueHandle& operator=(UniqueHandle&& other) noexcept {
    if (this != &other) {
      close();
      h_ = other.release();
    }
    return *this;
  }

  Handle get() const { return h_; }
  explicit operator bool() const { return Traits::valid(h_); }
  // Hands the handle to a new owner, who closes it.
  Handle release() { return std::exchange(h_, Traits::invalid()); }
  // True when there was nothing to close or the handle closed cleanly.
  bool close() {
    if (!Traits::valid(h_)) return true;
    return Traits::close(release());
  }

 private:
  Handle h_ = Traits::invalid();
};

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle invalid() { return nullptr; }
  static bool valid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
  static bool close(Handle h) { return CloseHandle(h) != FALSE; }
};
// CreateFile answers INVALID_HANDLE_VALUE, CreateThread a null handle; both
// count as no handle.
using FileHandle = UniqueHandle<KernelHandleTraits>;
using ThreadHandle = UniqueHandle<KernelHandleTraits>;

struct InternetHandleTraits {
  using Handle = HINTERNET;
  static Handle invalid() { return nullptr; }
  static bool valid(Handle h) { return h != nullptr; }
  static bool close(Handle h) { return InternetCloseHandle(h) != FALSE; }
};
using InternetHandle = UniqueHandle<InternetHandleTraits>;

struct GlobalMemoryTraits {
  using Handle = HGLOBAL;
  static Handle invalid() { return nullptr; }
  static bool valid(Handle h) { return h != nullptr; }
  static bool close(Handle h) { return GlobalFree(h) == nullptr; }
};
using GlobalMemory = UniqueHandle<GlobalMemoryTraits>;

template <typename Object>
struct GdiObjectTraits {
  using Handle = Object;
  static Handle invalid() { return nullptr; }
  static bool valid(Handle h) { return h != nullptr; }
  static bool close(Handle h) { return DeleteObject(h) != FALSE; }
};
using FontHandle = UniqueHandle<GdiObjectTraits<HFONT>>;

// The clipboard, open for as long as the session lives; no owner window.
class ClipboardSession {
 public:
  ClipboardSession() : open_(OpenClipboard(nullptr) != FALSE) {}
  ~ClipboardSession() {
    // Closing fails only when it is not open, which open_ rules out.
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

// The bytes of a movable global memory block, locked for as long as the view
// lives.
class LockedMemory {
 public:
  explicit LockedMemory(HGLOBAL block) : block_(block), bytes_(GlobalLock(block)) {}
  ~LockedMemory() {
    // GlobalUnlock answers FALSE for the last unlock too; nothing to report.
    if (bytes_ != nullptr) GlobalUnlock(block_);
  }
  LockedMemory(const LockedMemory&) = delete;
  LockedMemory& operator=(const LockedMemory&) = delete;
  void* bytes() const { return bytes_; }  // null when the lock failed

 private:
  HGLOBAL block_;
  void* bytes_;
};

// A window's device context, released when the owner goes.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }  // null when the window has none to give

 private:
  HWND window_;
  HDC dc_;
};

// A GDI object selected into a device context; the one it replaced goes back
// when the selection ends.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
  ~Selection() {
    if (previous_ != nullptr && previous_ != HGDI_ERROR) SelectObject(dc_, previous_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// OLE on the creating thread, until end() or the destructor, whichever comes
// first. end() may come from another thread (the fatal error report): OLE is
// taken down only on the thread that brought it up.
class OleSession {
 public:
  OleSession() : hr_(OleInitialize(nullptr)) {
    if (SUCCEEDED(hr_)) thread_ = GetCurrentThreadId();
  }
  ~OleSession() { end(); }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

  HRESULT result() const { return hr_; }
  void end() {
    DWORD self = GetCurrentThreadId();
    if (thread_.compare_exchange_strong(self, 0)) OleUninitialize();
  }

 private:
  HRESULT hr_;
  std::atomic<DWORD> thread_{0};
};

}  // namespace lumdrift::win32
