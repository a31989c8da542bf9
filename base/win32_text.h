#pragma once
// The window, the clipboard and the file system speak UTF-16; the tool's
// texts are UTF-8.

#include <string>
#include <string_view>

#include "base/text.h"

namespace lumdrift::win32 {

std::wstring wide(std::string_view text);
Text narrow(std::wstring_view text);

}  // namespace lumdrift::win32
