#pragma once
// The seller's code made to work in the shop as designed, before it goes
// into the template: the code box itself is never changed.

#include <string_view>

#include "generator/hot_spots.h"
#include "generator/repair.h"

namespace lumdrift {

struct RepairedCode {
  Text code;
  Repairs repairs;  // empty when the code needed none: then the code is as it came
};

// Tags balanced first, so that the boxes nest as written; then an old
// full-screen wrapper taken off; then the elements placed by inline position
// placed again, against the module of the size now chosen.
RepairedCode repairSellerCode(std::string_view code, ModuleSize module);

}  // namespace lumdrift
