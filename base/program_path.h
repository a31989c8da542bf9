#pragma once
// Paths as the tool builds them: ANSI (GBK) texts with backslashes. A
// backslash byte that is the trail byte of a double-byte character is not a
// separator.

#include "base/services.h"

namespace lumdrift {

// Position of the last separator in a GBK path, or npos.
std::size_t lastSeparator(std::string_view path);

// The directory (everything before the last separator) and the file name
// (everything after it) of the executable's full path.
ProgramLocation splitModulePath(std::string_view modulePath);

// The folder with exactly one separator at its end.
Text withTrailingSeparator(std::string_view folder);

}  // namespace lumdrift
