#pragma once
// The four templates behind a lock, shared by the download thread and the GUI
// thread.

#include <array>
#include <mutex>

#include "base/services.h"

namespace lumdrift {

class SharedTemplateStore final : public TemplateStore {
 public:
  Text read(TemplateId id) const override;
  void write(TemplateId id, Text text) override;

 private:
  mutable std::mutex guard_;
  std::array<Text, kTemplateCount> texts_;
};

}  // namespace lumdrift
