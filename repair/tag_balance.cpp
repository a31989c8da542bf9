#include "repair/tag_balance.h"

namespace lumdrift {
namespace {

// The elements open around the code in the shop page that an end tag from it
// reaches: the template's boxes. The page's <span> lies behind them, and an
// end tag of any other name stops at a <div> and is dropped.
bool closesAround(std::string_view name) {
  return name == "div";
}

}  // namespace

void balanceTags(Rewrite& w, Repairs& repairs) {
  const HtmlReading& r = w.reading;
  const std::string_view code = w.code;
  for (const DroppedEndTag& d : r.dropped) {
    const Token& t = r.tokens[d.token];
    if (!d.reachesOut || !closesAround(t.name)) continue;
    // After a '<' of the text, what follows the tag could join it into a tag
    // of its own: that one stays, and the preview still points it out.
    if (t.begin > 0 && code[t.begin - 1] == '<') continue;
    w.dropped.push_back(d.token);
    repairs.push_back(
        {RepairKind::StrayEndTag, t.name, Text(code.substr(t.begin, t.end - t.begin)), {}});
  }
  if (r.plaintext) return;  // all after it is text: nothing can close
  for (std::size_t i = r.elements.size(); i-- > 0;) {
    const Element& e = r.elements[i];
    const Text& name = r.tag(e).name;
    if (!e.openAtEnd || e.endedAroundBlock || hasOptionalEnd(name)) continue;
    w.endTagAdded[i] = true;
    repairs.push_back({RepairKind::UnclosedElement, name,
                       excerpt(r.startTag(code, static_cast<int>(i))), "</" + name + ">"});
  }
  for (int id : r.stillFormatting) {
    if (r.elements[id].openAtEnd || r.elements[id].endedAroundBlock) continue;
    const Text& name = r.tag(id).name;
    w.after += "</" + name + ">";
    repairs.push_back(
        {RepairKind::UnclosedElement, name, excerpt(r.startTag(code, id)), "</" + name + ">"});
  }
}

}  // namespace lumdrift
