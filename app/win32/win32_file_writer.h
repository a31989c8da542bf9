#pragma once
// Replaces a file through a temporary file in the same directory, so that a
// failed write never leaves a cut page where the last good one was.

#include "base/services.h"

namespace lumdrift {

class Win32FileWriter final : public FileWriter {
 public:
  bool replaceFile(const Text& path, std::string_view bytes) override;
  bool makeFolder(const Text& path) override;
};

}  // namespace lumdrift
