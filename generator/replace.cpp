#include "generator/replace.h"

#include "base/text.h"

namespace lumdrift {
namespace {

bool matchesAt(std::string_view text, std::size_t at, std::string_view what, bool caseSensitive) {
  for (std::size_t i = 0; i < what.size(); ++i) {
    const char a = text[at + i];
    const char b = what[i];
    if (a != b && (caseSensitive || asciiLower(a) != asciiLower(b))) return false;
  }
  return true;
}

}  // namespace

// A plain scan: it only ever runs over templates of a few kilobytes and the
// short option values put into them; the seller's code goes in last and is
// never scanned.
std::string Replace(std::string_view text, std::string_view what, std::string_view with,
                    long long start, std::size_t maxCount, bool caseSensitive) {
  const std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start - 1);
  if (text.empty() || what.empty() || from >= text.size() || maxCount == 0) {
    return std::string(text);
  }
  std::string out(text.substr(0, from));
  std::size_t at = from;
  std::size_t count = 0;
  while (text.size() - at >= what.size()) {
    if (matchesAt(text, at, what, caseSensitive)) {
      out += with;
      at += what.size();
      if (++count == maxCount) break;
    } else {
      const std::size_t n = characterLength(text, at);
      out += text.substr(at, n);
      at += n;
    }
  }
  out += text.substr(at);
  return out;
}

}  // namespace lumdrift
