#include "repair/code_repair.h"

#include "repair/hot_spots.h"
#include "repair/old_wrapper.h"
#include "repair/tag_balance.h"

namespace lumdrift {

RepairedCode repairSellerCode(std::string_view original, ModuleSize module) {
  RepairedCode out;
  HtmlReading reading = readHtml(original);
  Text finished;
  std::string_view code = original;
  // A tag or comment the code ends inside of would swallow the template's
  // end tags. Finished, it changes what follows it, so it is read again.
  if (!reading.tokens.empty() && reading.tokens.back().kind == TokenKind::Unfinished) {
    const Token& t = reading.tokens.back();
    const std::string_view tail = original.substr(t.begin);
    finished = Text(original) + t.finish;
    out.repairs.push_back(
        {RepairKind::UnfinishedMarkup, t.name, excerpt(tail), excerpt(Text(tail) + t.finish)});
    code = finished;
    reading = readHtml(code);
  }
  Rewrite rewrite(code, reading);
  balanceTags(rewrite, out.repairs);
  takeOffOldWrapper(rewrite, out.repairs);
  placeWithoutPosition(rewrite, module, out.repairs);
  out.code = out.repairs.empty() ? Text(original) : render(rewrite);
  return out;
}

}  // namespace lumdrift
