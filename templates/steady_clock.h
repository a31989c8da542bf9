#pragma once
// A monotonic clock in milliseconds. <chrono> stays out of the headers: it
// holds a literal with no GBK form, and our sources compile to GBK.

#include <cstdint>

namespace lumdrift {

std::uint64_t steadyMilliseconds();

}  // namespace lumdrift
