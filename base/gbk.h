#pragma once
// GBK (Windows code page 936): the encoding of the template site's files, and
// of the preview page whenever its template declares no other. The system's
// own tables do the work; on Windows that is code page 936 whatever the
// user's code page is.

#include <optional>
#include <string>
#include <string_view>

#include "base/text.h"

namespace lumdrift {

// The GBK bytes as text. A byte sequence GBK does not define becomes the
// system's replacement character.
Text decodeGbk(std::string_view bytes);

// Appends the text's GBK bytes to `out` and gives true; when a character of
// it has no GBK form, gives false and leaves `out` as it was.
bool appendGbk(std::string_view text, std::string& out);

// The text as GBK bytes; nullopt when a character of it has no GBK form.
inline std::optional<std::string> encodeGbk(std::string_view text) {
  std::string out;
  if (!appendGbk(text, out)) return std::nullopt;
  return out;
}

}  // namespace lumdrift
