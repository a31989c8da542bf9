#pragma once
// Hot spots and decorations placed by inline position, placed again in a form
// the shop keeps. The shop editor strips inline position: links that a
// hot-spot tool put over a banner with position:absolute then stack at the
// module's top left, and the banner's buttons stop working.

#include <string_view>

#include "generator/repair.h"

namespace lumdrift {

// The box the seller's code sits in: what an absolutely placed element at the
// top level of the code is placed against.
struct ModuleSize {
  double width, height;
};

// An element with inline position:absolute and offsets in pixels, directly
// inside the box it is placed against (a positioned box, or the module box
// for one at the top level of the code), moves to the start of that box into
// a flex line of no height of its own, placed by its margins, with the
// stacking it had (its z-index, or 1): no position, and the same box on every
// shop page and in every browser. An element with position:relative and
// pixel offsets, in the flow as a block, is moved by its margins instead. A
// box whose placed elements have all moved loses its position, which nothing
// needs any more.
//
// Left as written, for the preview to point out: offsets in percent, em or
// any other unit, a transform, right or bottom against a box of unknown size,
// position:fixed, and an element placed against a box that is not its parent.
Text placeWithoutPosition(std::string_view code, ModuleSize module, Repairs& repairs);

}  // namespace lumdrift
