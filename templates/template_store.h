#pragma once
// The templates behind a lock, filled by the download thread and read by
// the GUI thread. A template the server has delivered is always the one read;
// until then its built-in copy stands in once the download has given it up, or
// once the store has waited long enough.

#include <array>
#include <chrono>
#include <cstdint>
#include <mutex>

#include "base/services.h"

namespace lumdrift {

// How long, in milliseconds, a click may answer "please wait" for a template
// that has not come.
inline constexpr std::uint64_t kTemplatePatienceMs = 10000;

class SharedTemplateStore final : public TemplateStore {
 public:
  // The patience runs from construction, that is from start-up.
  explicit SharedTemplateStore(DebugLog& log, std::uint64_t patienceMs = kTemplatePatienceMs);

  Text read(TemplateId id) const override;

  // The server's copy, decoded. An empty text is no copy: the fetch came back
  // empty.
  void delivered(TemplateId id, Text text);
  // No request of this run will fetch the template again.
  void abandoned(TemplateId id);

 private:
  struct Slot {
    Text server;
    Text builtin;  // decoded at its first use
    bool arrived = false;
    bool abandoned = false;
    bool builtinLogged = false;
  };

  DebugLog& log_;
  const std::chrono::steady_clock::time_point deadline_;
  mutable std::mutex guard_;
  mutable std::array<Slot, kTemplateCount> slots_;
};

}  // namespace lumdrift
