#pragma once
// Rules for an HTTP response body that are the same on every platform.

#include <cstddef>
#include <optional>
#include <string_view>

#include "base/text.h"

namespace lumdrift {

// A body larger than this is no template; the read stops and fails there.
inline constexpr std::size_t kMaxBodyBytes = 64u << 20;

// The read chunk: the announced length plus 1, at most 102400 bytes; 10240
// when no positive length is announced.
std::size_t readChunkSize(std::optional<std::string_view> contentLength);

// The announced length as a number, when the header holds one.
std::optional<std::size_t> parseContentLength(std::string_view header);

// The template text of a body: its bytes up to the first zero byte.
Text bytesToText(std::string_view bytes);

}  // namespace lumdrift
