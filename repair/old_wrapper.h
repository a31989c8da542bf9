#pragma once
// Full-screen code pasted back in (this tool's own, for any edition and
// settings, also after the shop editor has dropped ids and changed white
// space; or another's, the left:50% pattern): generated again it would be
// wrapped twice and land far off, so the design is taken out of it first.

#include "repair/repair.h"
#include "repair/rewrite.h"

namespace lumdrift {

// When the code is nothing but a chain of single boxes around the design
// (white space aside), and one of them is a full-screen box: a box with a
// borrowed class moved left inside a borrowed box of no width (the module box
// of this tool's code), one with a borrowed class moved left by 200 px or
// more, or one at left:50% with a negative left margin. Only pure wrappers
// go, boxes that paint nothing of their own (no background, no border); a
// full-screen box that carries the design (its banner picture, its colour)
// stays as the design and loses only its centring. Inner full-screen boxes
// of code wrapped more than once go the same way.
void takeOffOldWrapper(Rewrite& rewrite, Repairs& repairs);

}  // namespace lumdrift
