#pragma once
// The one text operation of the generator.

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>

namespace lumdrift {

inline constexpr std::size_t kNoLimit = std::numeric_limits<std::size_t>::max();

// Replaces up to maxCount occurrences of `what` in `text` by `with`, scanning
// from the 1-based byte position `start` (below 1 counts as 1). The scan steps
// over GBK double-byte characters whole, so a match never starts on a trail
// byte, and text it has inserted is never scanned again. Without
// caseSensitive, ASCII letters match their other case.
std::string Replace(std::string_view text, std::string_view what, std::string_view with = {},
                    long long start = 1, std::size_t maxCount = kNoLimit,
                    bool caseSensitive = false);

// The same, written into `out` (which must not overlap `text`), so that a
// chain of replacements can reuse its buffers instead of taking new memory
// at every step.
void ReplaceInto(std::string& out, std::string_view text, std::string_view what,
                 std::string_view with, long long start, std::size_t maxCount, bool caseSensitive);

}  // namespace lumdrift
