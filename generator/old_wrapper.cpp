#include "generator/old_wrapper.h"

#include "generator/html_tree.h"
#include "generator/inline_style.h"

namespace lumdrift {
namespace {

// Full-screen code moves its box left by half the module width: boxes that a
// design places with these classes sit inside the module, far from that.
constexpr double kWrapperOffset = -200;

bool blank(std::string_view s) {
  for (char c : s) {
    if (!isHtmlSpace(c)) return false;
  }
  return true;
}

bool hasBorrowedClass(std::string_view code, const Token& tag) {
  const Attribute* a = findAttribute(code, tag, "class");
  if (a == nullptr) return false;
  std::string_view classes = valueOf(code, *a);
  while (!classes.empty()) {
    std::size_t n = 0;
    while (n < classes.size() && !isHtmlSpace(classes[n])) ++n;
    const std::string_view name = classes.substr(0, n);
    if (name == "footer-more-trigger" || name == "sn-simple-logo" || name == "most-footer") {
      return true;
    }
    classes.remove_prefix(n < classes.size() ? n + 1 : n);
  }
  return false;
}

std::vector<Declaration> styleOf(std::string_view code, const Token& tag) {
  const Attribute* a = findAttribute(code, tag, "style");
  return a == nullptr ? std::vector<Declaration>{} : declarationsOf(valueOf(code, *a));
}

bool isFullScreenBox(std::string_view code, const HtmlTree& tree, int id) {
  const Token& tag = tree.tag(id);
  // What such a box holds is text, not a design.
  if (hasRawContent(tag.name) || tag.name == "plaintext") return false;
  const std::vector<Declaration> style = styleOf(code, tag);
  const std::optional<double> margin = boxSide(style, "margin", Side::Left);
  const std::optional<std::string_view> left = valueFor(style, "left");
  if (hasBorrowedClass(code, tag)) {
    // This tool's module box: moved left inside a borrowed box of no width.
    const int parent = tree.elements[id].parent;
    if (parent != kNoElement && hasBorrowedClass(code, tree.tag(parent)) && margin && *margin < 0) {
      const std::optional<std::string_view> width =
          valueFor(styleOf(code, tree.tag(parent)), "width");
      if (width && pixels(*width) == 0.0) return true;
    }
    const std::optional<double> leftPx = left ? pixels(*left) : std::nullopt;
    if ((margin && *margin <= kWrapperOffset) || (leftPx && *leftPx <= kWrapperOffset)) return true;
  }
  return left && *left == "50%" && margin && *margin < 0;
}

// The only element among the nodes from `begin` to `end`, with nothing but
// white space beside it; kNoElement when there is none or more.
int onlyElement(std::string_view code, const HtmlTree& tree, const std::vector<int>& elements,
                std::size_t begin, std::size_t end) {
  if (elements.size() != 1) return kNoElement;
  const Element& e = tree.elements[elements[0]];
  const std::size_t start = tree.tag(e).begin;
  if (!e.hasEndTag || !blank(code.substr(begin, start - begin)) ||
      !blank(code.substr(e.end, end - e.end))) {
    return kNoElement;
  }
  return elements[0];
}

// The content of the module box without the line break the template puts on
// each side of the code.
std::string_view design(std::string_view content) {
  std::size_t from = 0;
  while (from < content.size() && (content[from] == ' ' || content[from] == '\t')) ++from;
  if (content.substr(from, 2) == "\r\n") {
    content.remove_prefix(from + 2);
  } else if (from < content.size() && (content[from] == '\n' || content[from] == '\r')) {
    content.remove_prefix(from + 1);
  }
  std::size_t to = content.size();
  while (to > 0 && (content[to - 1] == ' ' || content[to - 1] == '\t')) --to;
  if (to >= 2 && content.substr(to - 2, 2) == "\r\n") {
    content = content.substr(0, to - 2);
  } else if (to >= 1 && (content[to - 1] == '\n' || content[to - 1] == '\r')) {
    content = content.substr(0, to - 1);
  }
  return content;
}

}  // namespace

Text takeOffOldWrapper(std::string_view original, Repairs& repairs) {
  Text code(original);
  // Each round takes off one wrapper; a code wrapped more often than this is
  // not a paste of the tool's output.
  for (int round = 0; round < 8; ++round) {
    const HtmlTree tree = buildTree(code);
    Text chain;
    int id = onlyElement(code, tree, tree.topLevel, 0, code.size());
    while (id != kNoElement && !isFullScreenBox(code, tree, id)) {
      const Element& e = tree.elements[id];
      chain += code.substr(tree.tag(e).begin, tree.tag(e).end - tree.tag(e).begin);
      id = onlyElement(code, tree, e.children, e.contentBegin, e.contentEnd);
    }
    if (id == kNoElement) break;
    const Element& box = tree.elements[id];
    chain += code.substr(tree.tag(box).begin, tree.tag(box).end - tree.tag(box).begin);
    repairs.push_back({RepairKind::OldWrapper, {}, excerpt(chain), {}});
    code = Text(
        design(std::string_view(code).substr(box.contentBegin, box.contentEnd - box.contentBegin)));
  }
  return code;
}

}  // namespace lumdrift
