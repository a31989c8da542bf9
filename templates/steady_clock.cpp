#include "templates/steady_clock.h"

#include <chrono>

namespace lumdrift {

std::uint64_t steadyMilliseconds() {
  using namespace std::chrono;
  return static_cast<std::uint64_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace lumdrift
