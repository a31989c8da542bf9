#include "repair/old_wrapper.h"

#include "base/number_format.h"
#include "repair/inline_style.h"
#include "repair/tag_edit.h"

namespace lumdrift {
namespace {

// Full-screen code moves its box left by half the module width: boxes that a
// design places with these classes sit inside the module, far from that.
constexpr double kWrapperOffset = -200;

bool isBorrowedClass(std::string_view name) {
  return name == "footer-more-trigger" || name == "sn-simple-logo" || name == "most-footer";
}

// The class attribute's names, each passed to `f`.
template <typename F>
void eachClass(std::string_view classes, F f) {
  while (!classes.empty()) {
    std::size_t n = 0;
    while (n < classes.size() && !isHtmlSpace(classes[n])) ++n;
    if (n > 0) f(classes.substr(0, n));
    classes.remove_prefix(n < classes.size() ? n + 1 : n);
  }
}

class Unwrapper {
 public:
  Unwrapper(Rewrite& w, Repairs& repairs)
      : w_(w), r_(w.reading), code_(w.code), repairs_(repairs) {}

  void run() {
    Text chain;
    std::size_t begin = 0, end = code_.size();
    std::vector<int> candidates = r_.topLevel;
    int box = kNoElement;
    // Each round takes off one wrapper; a code wrapped more often than this is
    // not a paste of the tool's output.
    for (int round = 0; round < 8; ++round) {
      int id = onlyElement(candidates, begin, end);
      while (id != kNoElement && !isFullScreenBox(id)) {
        if (paints(id)) return;
        chain += r_.startTag(code_, id);
        const Element& e = r_.elements[id];
        id = onlyElement(e.children, e.contentBegin, e.contentEnd);
      }
      if (id == kNoElement) break;
      chain += r_.startTag(code_, id);
      const Element& e = r_.elements[id];
      if (paints(id)) {
        const std::optional<Text> tag = uncentred(id);
        if (!tag) return;
        w_.startTag[id] = *tag;
        w_.design = {id, true, r_.tag(e).begin, e.end};
        repairs_.push_back({RepairKind::OldWrapper, {}, excerpt(chain), excerpt(*tag)});
        return;
      }
      box = id;
      design(e.contentBegin, e.contentEnd, begin, end);
      w_.design = {box, false, begin, end};
      repairs_.push_back({RepairKind::OldWrapper, {}, excerpt(chain), {}});
      chain.clear();
      candidates = e.children;
    }
  }

 private:
  bool blank(std::size_t from, std::size_t to) const {
    bool blank = true;
    w_.eachKept(from, to, [&](std::string_view part) { blank = blank && isBlank(part); });
    return blank;
  }

  std::vector<Declaration> styleOf(int id) const {
    const Attribute* a = findAttribute(code_, r_.tag(id), "style");
    return a == nullptr ? std::vector<Declaration>{} : declarationsOf(valueOf(code_, *a));
  }

  bool hasBorrowedClass(int id) const {
    const Attribute* a = findAttribute(code_, r_.tag(id), "class");
    bool found = false;
    if (a != nullptr)
      eachClass(valueOf(code_, *a),
                [&](std::string_view c) { found = found || isBorrowedClass(c); });
    return found;
  }

  bool isFullScreenBox(int id) const {
    const Token& tag = r_.tag(id);
    // What such a box holds is text, not a design.
    if (hasRawContent(tag.name) || tag.name == "plaintext" || r_.elements[id].foreign) return false;
    const std::vector<Declaration> style = styleOf(id);
    const std::optional<double> margin = boxSide(style, "margin", Side::Left);
    const std::optional<std::string_view> left = valueFor(style, "left");
    if (hasBorrowedClass(id)) {
      // This tool's module box: moved left inside a borrowed box of no width.
      const int parent = r_.elements[id].parent;
      if (parent != kNoElement && hasBorrowedClass(parent) && margin && *margin < 0) {
        const std::optional<std::string_view> width = valueFor(styleOf(parent), "width");
        if (width && pixels(*width) == 0.0) return true;
      }
      const std::optional<double> leftPx = left ? pixels(*left) : std::nullopt;
      if ((margin && *margin <= kWrapperOffset) || (leftPx && *leftPx <= kWrapperOffset)) {
        return true;
      }
    }
    return left && *left == "50%" && margin && *margin < 0;
  }

  // Whether the box shows anything of its own: a background, a border, or
  // text of its own beside the boxes it holds.
  bool paints(int id) const {
    const Element& e = r_.elements[id];
    std::size_t at = e.contentBegin;
    for (int c : e.children) {
      if (!blank(at, r_.tag(c).begin)) return true;
      at = r_.elements[c].end;
    }
    if (!blank(at, e.contentEnd)) return true;
    for (const Declaration& d : styleOf(id)) {
      const Text value = asciiLowered(d.value);
      if (d.property.starts_with("background")) {
        if (!isOneOf(value, {"none", "transparent", "0", ""})) return true;
      } else if (d.property.starts_with("border") && !d.property.ends_with("radius") &&
                 !d.property.ends_with("collapse") && !d.property.ends_with("spacing")) {
        if (!isOneOf(value, {"none", "0", "0px", "hidden", ""})) return true;
      }
    }
    return false;
  }

  // The design box's start tag without what centred it and without the
  // borrowed classes that would place it again; its vertical margins stay.
  std::optional<Text> uncentred(int id) const {
    const Token& tag = r_.tag(id);
    const Attribute* style = findAttribute(code_, tag, "style");
    if (style == nullptr) return std::nullopt;
    const std::vector<Declaration> decls = declarationsOf(valueOf(code_, *style));
    const std::optional<double> top = boxSide(decls, "margin", Side::Top);
    const std::optional<double> bottom = boxSide(decls, "margin", Side::Bottom);
    if (!top || !bottom) return std::nullopt;
    static constexpr std::string_view kCentring[] = {
        "position", "left",        "right",        "top",        "bottom",       "z-index",
        "margin",   "margin-left", "margin-right", "margin-top", "margin-bottom"};
    Text added;
    if (*top != 0 || *bottom != 0) {
      added = "margin:" + formatNumber(*top) + "px 0 " + formatNumber(*bottom) + "px";
    }
    std::vector<NewValue> values{
        {style, restyled(valueOf(code_, *style), decls, kCentring, added)}};
    const Attribute* cls = findAttribute(code_, tag, "class");
    if (cls != nullptr && hasBorrowedClass(id)) {
      Text kept;
      eachClass(valueOf(code_, *cls), [&](std::string_view c) {
        if (isBorrowedClass(c)) return;
        if (!kept.empty()) kept += ' ';
        kept += c;
      });
      values.push_back({cls, kept});
    }
    return withValues(code_, tag, std::move(values));
  }

  // The only element among `elements` from `begin` to `end`, with nothing but
  // white space beside it; kNoElement when there is none or more.
  int onlyElement(const std::vector<int>& elements, std::size_t begin, std::size_t end) const {
    if (elements.size() != 1) return kNoElement;
    const Element& e = r_.elements[elements[0]];
    if (!e.hasEndTag || !blank(begin, r_.tag(e).begin) || !blank(e.end, end)) return kNoElement;
    return elements[0];
  }

  // The content of a full-screen box without the line break the template
  // puts on each side of the code.
  void design(std::size_t from, std::size_t to, std::size_t& begin, std::size_t& end) const {
    std::size_t at = from;
    while (at < to && (code_[at] == ' ' || code_[at] == '\t')) ++at;
    if (at + 2 <= to && code_.substr(at, 2) == "\r\n") {
      from = at + 2;
    } else if (at < to && (code_[at] == '\n' || code_[at] == '\r')) {
      from = at + 1;
    }
    at = to;
    while (at > from && (code_[at - 1] == ' ' || code_[at - 1] == '\t')) --at;
    if (at >= from + 2 && code_.substr(at - 2, 2) == "\r\n") {
      to = at - 2;
    } else if (at > from && (code_[at - 1] == '\n' || code_[at - 1] == '\r')) {
      to = at - 1;
    }
    begin = from;
    end = to;
  }

  Rewrite& w_;
  const HtmlReading& r_;
  std::string_view code_;
  Repairs& repairs_;
};

}  // namespace

void takeOffOldWrapper(Rewrite& rewrite, Repairs& repairs) {
  Unwrapper(rewrite, repairs).run();
}

}  // namespace lumdrift
