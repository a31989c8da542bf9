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
    if (open_) CloseClipboard();
  }
  ClipboardSession(const ClipboardSession&) = delete;
  ClipboardSession& operator=(const ClipboardSession&) = delete;
  bool open() const { return open_; }

 private:
  bool open_;
};

// OLE on the creating thread for as long as the session lives. The fatal
// error report ends the process without unwinding, so it asks the session
// to undo itself first.
class OleSession {
 public:
  OleSession() : hr_(OleInitialize(nullptr)) {
    if (SUCCEEDED(hr_)) thread_ = GetCurrentThreadId();
  }
  ~OleSession() { end(); }
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;

  HRESULT result() const { return hr_; }
  // Uninitialises OLE when it is up on the calling thread; then never again.
  static void end() {
    DWORD self = GetCurrentThreadId();
    if (thread_.compare_exchange_strong(self, 0)) OleUninitialize();
  }

 private:
  HRESULT hr_;
  static inline std::atomic<DWORD> thread_{0};
};

}  // namespace lumdrift::win32
