#pragma once
// Text written into a page as text: nothing in it is read as markup, and no
// quote in it ends an attribute.

#include <string_view>

#include "base/text.h"

namespace lumdrift {

// & < > " ' as character references; every other byte as it is.
Text htmlEscaped(std::string_view text);

}  // namespace lumdrift
