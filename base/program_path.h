#pragma once
// Paths as the tool builds them: UTF-8 texts with backslashes. No byte of a
// multi-byte UTF-8 character is a backslash, so the last one is the separator.

#include "base/services.h"

namespace lumdrift {

// The directory (everything before the last separator) and the file name
// (everything after it) of the executable's full path.
ProgramLocation splitModulePath(std::string_view modulePath);

// The folder with exactly one separator at its end.
Text withTrailingSeparator(std::string_view folder);

// True when `path` is `folder` or lies below it. Windows paths compare
// without regard to letter case; ASCII case is enough for the folders asked
// about here, whose non-ASCII parts come from the same system call.
bool liesUnder(std::string_view path, std::string_view folder);

}  // namespace lumdrift
