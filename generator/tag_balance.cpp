#include "generator/tag_balance.h"

#include <unordered_map>

#include "generator/html_scan.h"

namespace lumdrift {
namespace {

bool counts(const Text& name) {
  return !isVoidElement(name) && !hasOptionalEnd(name);
}

// The code with a tag or comment that it ends inside of finished, so that it
// no longer swallows the wrapper's own end tags.
Text finished(std::string_view code, Repairs& repairs) {
  const std::vector<Token> tokens = scanHtml(code);
  if (tokens.empty() || tokens.back().kind != TokenKind::Unfinished) return Text(code);
  const Token& t = tokens.back();
  Text ending = t.unfinishedComment ? "-->" : ">";
  if (t.openQuote != 0) ending.insert(ending.begin(), t.openQuote);
  const std::string_view tail = code.substr(t.begin);
  repairs.push_back(
      {RepairKind::UnfinishedMarkup, t.name, excerpt(tail), excerpt(Text(tail) + ending)});
  return Text(code) + ending;
}

}  // namespace

Text balanceTags(std::string_view original, Repairs& repairs) {
  const Text code = finished(original, repairs);
  const std::vector<Token> tokens = scanHtml(code);

  // The start tags still open, in order, and per name the ones among them
  // that an end tag of that name would close, innermost last.
  std::vector<const Token*> opened;
  std::vector<bool> closed;
  std::unordered_map<Text, std::vector<std::size_t>> openByName;
  std::vector<const Token*> stray;
  int foreign = 0;
  bool plaintext = false;
  for (const Token& t : tokens) {
    if (t.kind == TokenKind::StartTag) {
      if (t.name == "plaintext") {
        plaintext = true;  // all that follows is text: nothing can close after it
        break;
      }
      // "/>" ends an element only inside SVG and MathML; raw content runs to
      // its end tag all the same.
      if (!counts(t.name) || (foreign > 0 && t.selfClosing && !hasRawContent(t.name))) continue;
      openByName[t.name].push_back(opened.size());
      opened.push_back(&t);
      closed.push_back(false);
      if (t.name == "svg" || t.name == "math") ++foreign;
    } else if (t.kind == TokenKind::EndTag && counts(t.name)) {
      std::vector<std::size_t>& open = openByName[t.name];
      if (open.empty()) {
        stray.push_back(&t);
        continue;
      }
      closed[open.back()] = true;
      open.pop_back();
      if ((t.name == "svg" || t.name == "math") && foreign > 0) --foreign;
    }
  }

  Text out;
  out.reserve(code.size() + 64);
  std::size_t at = 0;
  for (const Token* t : stray) {
    out.append(code, at, t->begin - at);
    at = t->begin;
    // After a '<' of the text, what follows the tag could join it into a tag
    // of its own: that one stays, and the preview still points it out.
    if (!out.empty() && out.back() == '<') continue;
    at = t->end;
    repairs.push_back(
        {RepairKind::StrayEndTag, t->name, code.substr(t->begin, t->end - t->begin), {}});
  }
  out.append(code, at);
  if (plaintext) return out;
  for (std::size_t i = opened.size(); i-- > 0;) {
    if (closed[i]) continue;
    const Token& t = *opened[i];
    const Text endTag = "</" + t.name + ">";
    out += endTag;
    repairs.push_back({RepairKind::UnclosedElement, t.name,
                       excerpt(std::string_view(code).substr(t.begin, t.end - t.begin)), endTag});
  }
  return out;
}

}  // namespace lumdrift
