#include "tests/e2e/debug_output.h"

#include <cstring>

namespace lumdrift::e2e {

DebugOutputListener::DebugOutputListener() {
  bufferReady_ = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY");
  dataReady_ = CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY");
  mapping_ =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, 4096, "DBWIN_BUFFER");
  if (bufferReady_ && dataReady_ && mapping_) {
    view_ = static_cast<const char*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 4096));
  }
  if (view_ != nullptr) thread_ = std::thread([this] { run(); });
}

DebugOutputListener::~DebugOutputListener() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (view_ != nullptr) UnmapViewOfFile(view_);
  for (HANDLE h : {mapping_, dataReady_, bufferReady_}) {
    if (h != nullptr) CloseHandle(h);
  }
}

std::vector<std::string> DebugOutputListener::linesOf(DWORD processId) const {
  std::lock_guard lock(mutex_);
  std::vector<std::string> out;
  for (const auto& [pid, line] : lines_) {
    if (pid == processId) out.push_back(line);
  }
  return out;
}

void DebugOutputListener::run() {
  while (!stop_) {
    SetEvent(bufferReady_);
    if (WaitForSingleObject(dataReady_, 100) != WAIT_OBJECT_0) continue;
    DWORD pid = 0;
    std::memcpy(&pid, view_, sizeof pid);
    std::string line(view_ + sizeof pid, strnlen(view_ + sizeof pid, 4096 - sizeof pid));
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    std::lock_guard lock(mutex_);
    lines_.emplace_back(pid, std::move(line));
  }
}

}  // namespace lumdrift::e2e
