#pragma once
// The file writer of the native builds (the tests and the page tool of the
// browser checks): writes through a temporary file beside the target, so that
// a failed write never leaves a cut file where the last good one was. Paths
// use the tool's backslash separators and are mapped to the host's.

#include "base/services.h"

namespace lumdrift {

class PortableFileWriter final : public FileWriter {
 public:
  bool replaceFile(const Text& path, std::string_view bytes) override;
  bool makeFolder(const Text& path) override;
};

}  // namespace lumdrift
