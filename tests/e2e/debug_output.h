#pragma once
// What programs write to the debugger output, read as DebugView reads it:
// through the system's DBWIN buffer, one line at a time, for as long as the
// listener lives. One listener at a time per session.

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lumdrift::e2e {

class DebugOutputListener {
 public:
  DebugOutputListener();
  ~DebugOutputListener();
  DebugOutputListener(const DebugOutputListener&) = delete;
  DebugOutputListener& operator=(const DebugOutputListener&) = delete;

  bool listening() const { return view_ != nullptr; }
  // The lines written so far by the process.
  std::vector<std::string> linesOf(DWORD processId) const;

 private:
  void run();

  HANDLE bufferReady_ = nullptr, dataReady_ = nullptr, mapping_ = nullptr;
  const char* view_ = nullptr;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  mutable std::mutex mutex_;
  std::vector<std::pair<DWORD, std::string>> lines_;
};

}  // namespace lumdrift::e2e
