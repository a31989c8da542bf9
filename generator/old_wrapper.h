#pragma once
// Full-screen code pasted back in (this tool's own, for any edition and
// settings, also after the shop editor has dropped ids and changed white
// space; or another's, the left:50% pattern): generated again it would be
// wrapped twice and land far off, so the design is taken out of it first.

#include <string_view>

#include "generator/repair.h"

namespace lumdrift {

// The design inside, when the code is nothing but a chain of single boxes
// around it (white space aside) and one of them is a full-screen box: a box
// with a borrowed class moved left inside a borrowed box of no width (the
// module box of this tool's code),
// one with a borrowed class moved left by 200 px or more, or one at left:50%
// with a negative left margin. Unwrapped again while the design is itself
// such a code; else the code as it is.
Text takeOffOldWrapper(std::string_view code, Repairs& repairs);

}  // namespace lumdrift
