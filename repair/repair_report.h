#pragma once
// What the seller is told of a repair: one sentence beside the success
// message, and a list on the preview page above its advice.

#include "repair/repair.h"

namespace lumdrift {

// "已修复3个热区的位置、去掉1个多余的</div>": the first kinds of repair with
// their counts, "等" when there are more; empty when nothing was repaired.
Text repairSentence(const Repairs& repairs);

// The preview page's list: each repair, what it was and what it became, as
// HTML in which nothing of the seller's code is markup; empty when nothing
// was repaired.
Text repairList(const Repairs& repairs);

}  // namespace lumdrift
