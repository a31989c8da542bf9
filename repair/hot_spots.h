#pragma once
// Hot spots and decorations placed by inline position, placed again in a form
// the shop keeps. The shop editor strips inline position: links that a
// hot-spot tool put over a banner with position:absolute then stack at the
// module's top left, and the banner's buttons stop working.

#include "repair/repair.h"
#include "repair/rewrite.h"

namespace lumdrift {

// An element with inline position:absolute and offsets in pixels, directly
// inside the box it is placed against (a positioned box, or the module box
// for one at the top level of the code), moves into a line of no height at
// the start of that box's content, as an inline block moved by its margins;
// where the box's content height is known, the lines stand after its content
// in a box of that height pulled back up over it, so that they are drawn over
// an <img> banner as they were. Lines stack by z-index, then order. CSS2
// alone: no position, no flex. An element with position:relative and pixel
// offsets, in the flow as a block, is moved by its margins instead. A box
// whose placed elements have all moved loses its position, which nothing
// needs any more.
//
// Left as written, for the preview to point out: offsets in percent, em or
// any other unit, a transform, right or bottom against a box of unknown size,
// position:fixed, and an element placed against a box that is not its parent.
void placeWithoutPosition(Rewrite& rewrite, ModuleSize module, Repairs& repairs);

}  // namespace lumdrift
