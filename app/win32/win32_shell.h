#pragma once
// Opens a document with the program the shell associates with it.

#include "base/services.h"

namespace lumdrift {

class Win32Shell final : public Shell {
 public:
  bool openDocument(const Text& path) override;
};

}  // namespace lumdrift
