#pragma once
// The fatal error report: the one dialog of the tool, after which the process
// ends with exit code -1.

#include <cstddef>
#include <string_view>

namespace lumdrift {

// The text of the box for a message.
std::size_t fatalErrorText(std::string_view message, char* out, std::size_t capacity);

// Shows the box, runs the shutdown clean-up and ends the process. Uses no heap
// of its own, so that it also serves a failed allocation.
[[noreturn]] void fatalError(std::string_view message);
[[noreturn]] void allocationFailed(std::size_t bytes);

}  // namespace lumdrift
