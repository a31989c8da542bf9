#pragma once
// What a repair of the seller's code changed, for the seller to see.

#include <string_view>
#include <vector>

#include "base/text.h"

namespace lumdrift {

enum class RepairKind {
  HotSpot,           // a link placed by inline position, now placed as the shop keeps it
  Placement,         // any other element placed by inline position
  PositionedBox,     // the box they were placed in, which no longer needs its position
  StrayEndTag,       // an end tag that closed nothing of the seller's: dropped
  UnclosedElement,   // an element left open: closed at the end of the code
  UnfinishedMarkup,  // the code ended inside a tag or a comment: finished
  OldWrapper         // an earlier full-screen wrapper: taken off
};

struct Repair {
  RepairKind kind;
  Text name;  // the tag's name, for the tags the repair counts by name
  Text was;   // as the seller wrote it
  Text now;   // what it became; empty when it was dropped
};

using Repairs = std::vector<Repair>;

// The box the seller's code sits in: what an absolutely placed element at the
// top level of the code is placed against.
struct ModuleSize {
  double width, height;
};

// The code as a repair shows it: whole up to 160 bytes, else cut at a
// character's start with "…".
Text excerpt(std::string_view code);

}  // namespace lumdrift
