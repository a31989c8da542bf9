#include "templates/response_body.h"

#include <charconv>

namespace lumdrift {

std::optional<std::size_t> parseContentLength(std::string_view header) {
  while (!header.empty() && (header.front() == ' ' || header.front() == '\t')) {
    header.remove_prefix(1);
  }
  std::size_t value = 0;
  const auto [end, ec] = std::from_chars(header.data(), header.data() + header.size(), value);
  if (ec != std::errc() || end == header.data()) return std::nullopt;
  return value;
}

std::size_t readChunkSize(std::optional<std::string_view> contentLength) {
  constexpr std::size_t kCeiling = 102400;
  constexpr std::size_t kUnknown = 10240;
  if (!contentLength) return kUnknown;
  const std::optional<std::size_t> n = parseContentLength(*contentLength);
  if (!n || *n == 0) return kUnknown;
  return *n >= kCeiling ? kCeiling : *n + 1;
}

Text bytesToText(std::string_view bytes) {
  return Text(bytes.substr(0, bytes.find('\0')));
}

}  // namespace lumdrift
