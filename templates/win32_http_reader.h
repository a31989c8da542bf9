#pragma once
// HTTP GET into memory over WinINet, in the process's one internet session.

#include <mutex>

#include "base/win32_handles.h"
#include "templates/download_worker.h"

namespace lumdrift {

// A request that connects, sends or receives nothing for this long fails.
// Longer than the store's patience: the user is already served by the
// built-in copies then, and a slow server still gets its chance to replace
// them.
inline constexpr unsigned long kRequestTimeoutMs = 20000;

// The WinINet session of the whole process: opened by the first request that
// needs it (a failed open is tried again by the next), and closed once, at
// exit. A request made after that fails.
class InternetSession {
 public:
  InternetSession() = default;
  InternetSession(const InternetSession&) = delete;
  InternetSession& operator=(const InternetSession&) = delete;

  // Null when the session cannot be opened or has been closed.
  HINTERNET handle();
  // Closing ends the requests under way, which then fail.
  void close();

 private:
  std::mutex guard_;
  win32::InternetHandle root_;
  bool closed_ = false;
};

class Win32HttpReader final : public HttpReader {
 public:
  explicit Win32HttpReader(InternetSession& session, unsigned long timeoutMs = kRequestTimeoutMs)
      : session_(session), timeoutMs_(timeoutMs) {}

  // Empty when the URL can't be split, the server can't be reached, the
  // status is not 200, the body ends before its announced length or a read
  // fails, or the body passes kMaxBodyBytes.
  std::string read(const Text& url) override;

 private:
  InternetSession& session_;
  unsigned long timeoutMs_;
};

}  // namespace lumdrift
