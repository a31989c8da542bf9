#pragma once
// The seller's code made to work in the shop as designed, before it goes
// into the template: the code box itself is never changed.

#include <string_view>

#include "repair/repair.h"

namespace lumdrift {

struct RepairedCode {
  Text code;
  Repairs repairs;  // empty when the code needed none: then the code is as it came
};

// Read once as the browser nests it; then, as passes over that reading, the
// tags that would take the template with them mended, an old full-screen
// wrapper taken off, and the elements placed by inline position placed
// again against the module of the size now chosen. What no pass changed is
// written back byte for byte.
RepairedCode repairSellerCode(std::string_view code, ModuleSize module);

}  // namespace lumdrift
