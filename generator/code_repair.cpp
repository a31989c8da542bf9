#include "generator/code_repair.h"

#include "generator/old_wrapper.h"
#include "generator/tag_balance.h"

namespace lumdrift {

RepairedCode repairSellerCode(std::string_view code, ModuleSize module) {
  RepairedCode out;
  const Text balanced = balanceTags(code, out.repairs);
  const Text design = takeOffOldWrapper(balanced, out.repairs);
  out.code = placeWithoutPosition(design, module, out.repairs);
  return out;
}

}  // namespace lumdrift
