#pragma once
// Tags that would take the code's surroundings with them: inside the
// template, an end tag that closes nothing of the seller's closes the
// template's own box, and an element left open swallows the template's end
// tags and the shop's next module. What the parser closes by itself (an end
// tag closing the elements inside it, the implied ends of <p>, <li>, table
// parts) is left as the seller wrote it.

#include "repair/repair.h"
#include "repair/rewrite.h"

namespace lumdrift {

// Takes out the end tags that would close a box around the code, and closes
// where the code ends what is still open there (innermost first) and the
// formatting elements the parser would carry on into what follows.
void balanceTags(Rewrite& rewrite, Repairs& repairs);

}  // namespace lumdrift
