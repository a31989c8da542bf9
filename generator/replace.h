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
// over UTF-8 characters whole, so a match never starts inside one, and text
// it has inserted is never scanned again. Without caseSensitive, ASCII
// letters match their other case.
std::string Replace(std::string_view text, std::string_view what, std::string_view with = {},
                    long long start = 1, std::size_t maxCount = kNoLimit,
                    bool caseSensitive = false);

}  // namespace lumdrift
