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

// The text as GBK bytes; nullopt when a character of it has no GBK form.
std::optional<std::string> encodeGbk(std::string_view text);

}  // namespace lumdrift
