#pragma once
// Tags that do not balance, mended: in the shop a surplus end tag closes the
// shop's own boxes, and an element left open swallows what follows it.

#include <string_view>

#include "generator/repair.h"

namespace lumdrift {

// Counted per tag name on the code as written, as the preview counts them
// (elements without an end tag, or whose end tag may be left out, never
// count; nor does anything inside a comment or raw text): an end tag of a name
// with no element open is dropped, and elements left open are closed at the
// end of the code, the innermost first. Code that ends inside a tag or a
// comment has it finished first.
Text balanceTags(std::string_view code, Repairs& repairs);

}  // namespace lumdrift
