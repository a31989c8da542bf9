#pragma once
// The clipboard as the Windows side offers it: Unicode text, no owner window.

#include "base/services.h"

namespace lumdrift {

class Win32Clipboard final : public Clipboard {
 public:
  bool putText(std::string_view text) override;
};

}  // namespace lumdrift
