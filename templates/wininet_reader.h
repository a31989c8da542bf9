#pragma once
// HTTP GET into memory over WinINet, with one internet session for the whole
// process.

#include "templates/download_worker.h"

namespace lumdrift {

// A request that connects, sends or receives nothing for this long fails.
// Longer than the store's patience: the user is already served by the
// built-in copies then, and a slow server still gets its chance to replace
// them.
inline constexpr unsigned long kRequestTimeoutMs = 20000;

class WinInetReader final : public HttpReader {
 public:
  explicit WinInetReader(unsigned long timeoutMs = kRequestTimeoutMs) : timeoutMs_(timeoutMs) {}

  // Empty when the URL can't be split, the server can't be reached, the
  // status is not 200, the body ends before its announced length or a read
  // fails, or the body passes kMaxBodyBytes.
  std::string read(const Text& url) override;

 private:
  unsigned long timeoutMs_;
};

}  // namespace lumdrift
