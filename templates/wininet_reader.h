#pragma once
// HTTP GET into memory over WinINet, with one internet session for the whole
// process.

#include "templates/download_worker.h"

namespace lumdrift {

class WinInetReader final : public HttpReader {
 public:
  // Empty when the URL can't be split, the server can't be reached, the
  // status is not 200, the body ends before its announced length or a read
  // fails, or the body passes kMaxBodyBytes.
  std::string read(const Text& url) override;
};

}  // namespace lumdrift
