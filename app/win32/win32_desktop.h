#pragma once
// The user's desktop folder and shell links in it.

#include "base/services.h"

namespace lumdrift {

// COM must be initialised on the calling thread.
class Win32Desktop final : public Desktop {
 public:
  Text folder() override;
  bool createShortcut(const Text& linkPath, const Text& targetPath,
                      const Text& description) override;
};

}  // namespace lumdrift
