#include "repair/hot_spots.h"

#include <algorithm>
#include <charconv>
#include <optional>
#include <span>

#include "base/number_format.h"
#include "repair/inline_style.h"
#include "repair/tag_edit.h"

namespace lumdrift {
namespace {

// What a moved element's new style replaces: all that placed it, and what
// would keep its box from standing at its line's top left.
constexpr std::string_view kMoved[] = {
    "position", "left",       "top",          "right",         "bottom",
    "margin",   "margin-top", "margin-right", "margin-bottom", "margin-left",
    "z-index",  "display",    "float",        "vertical-align"};
// What a block shifted by its margins loses.
constexpr std::span<const std::string_view> kPlacement(kMoved, 10);
constexpr std::string_view kPosition[] = {"position"};

enum class Position { Static, Relative, Absolute, Other };

struct Styled {
  const Attribute* attribute = nullptr;
  std::vector<Declaration> declarations;
  Position position = Position::Static;
  bool readable = true;  // no character reference that the browser would read otherwise
};

class Placer {
 public:
  Placer(Rewrite& w, ModuleSize module, Repairs& repairs)
      : w_(w), r_(w.reading), code_(w.code), module_(module), repairs_(repairs) {}

  void run() {
    // After <plaintext> all is text: a line written after the content would
    // turn into text too.
    if (r_.plaintext) return;
    const std::size_t n = r_.elements.size();
    styles_.resize(n);
    placedAgainst_.assign(n, kNoElement);
    dependents_.assign(n, 0);
    movedDependents_.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) readStyle(static_cast<int>(i));
    for (std::size_t i = 0; i < n; ++i) {
      if (inDesign(static_cast<int>(i))) place(static_cast<int>(i));
    }
    if (placed_.empty()) return;
    for (auto& [box, lined] : w_.lined) order(box, lined);
    recordPlaced();
    for (std::size_t i = 0; i < n; ++i) freeBox(static_cast<int>(i));
  }

 private:
  // The design's own elements: not the wrapper taken off around it.
  bool inDesign(int id) const {
    const Rewrite::Design& d = w_.design;
    if (d.box == kNoElement) return true;
    const std::size_t at = r_.tag(id).begin;
    return d.keepBox ? at >= d.begin && at < d.end : at >= d.begin && at < d.end && id != d.box;
  }

  // The box an element stands in, kNoElement at the design's top level.
  int parentOf(int id) const {
    const int parent = r_.elements[id].parent;
    if (parent == kNoElement || !inDesign(parent)) return kNoElement;
    return parent;
  }

  bool isLink(int id) const {
    return r_.tag(id).name == "a" && findAttribute(code_, r_.tag(id), "href") != nullptr;
  }

  void readStyle(int id) {
    Styled& s = styles_[id];
    s.attribute = findAttribute(code_, r_.tag(id), "style");
    if (s.attribute != nullptr) {
      const std::string_view value = valueOf(code_, *s.attribute);
      s.readable = value.find('&') == std::string_view::npos;
      s.declarations = declarationsOf(value);
      const std::optional<std::string_view> p = valueFor(s.declarations, "position");
      const Text position = p ? asciiLowered(*p) : Text();
      s.position = position.empty() || position == "static" ? Position::Static
                   : position == "relative"                 ? Position::Relative
                   : position == "absolute"                 ? Position::Absolute
                                                            : Position::Other;
    }
    // The box it is placed against: its nearest positioned ancestor, or the
    // module box.
    const int parent = parentOf(id);
    if (parent != kNoElement) {
      placedAgainst_[id] =
          styles_[parent].position != Position::Static ? parent : placedAgainst_[parent];
    }
  }

  std::optional<std::string_view> value(int id, std::string_view property) const {
    return valueFor(styles_[id].declarations, property);
  }
  bool set(int id, std::string_view property) const {
    const std::optional<std::string_view> v = value(id, property);
    return v && asciiLowered(*v) != "auto";
  }
  std::optional<double> px(int id, std::string_view property) const {
    const std::optional<std::string_view> v = value(id, property);
    return v ? pixels(*v) : std::optional<double>(0.0);
  }
  bool mentions(int id, std::string_view prefix) const {
    for (const Declaration& d : styles_[id].declarations) {
      if (d.property.starts_with(prefix)) return true;
    }
    return false;
  }
  std::optional<double> side(int id, std::string_view property, Side s) const {
    return id == kNoElement ? std::optional<double>(0.0)
                            : boxSide(styles_[id].declarations, property, s);
  }

  // The width or height of an element's border box, when its style alone
  // tells it.
  std::optional<double> borderBox(int id, std::string_view dimension) const {
    if (!set(id, dimension)) return std::nullopt;
    const std::optional<double> size = px(id, dimension);
    if (!size) return std::nullopt;
    if (value(id, "box-sizing") && asciiLowered(*value(id, "box-sizing")) == "border-box")
      return size;
    if (mentions(id, "border")) return std::nullopt;
    const bool across = dimension == "width";
    const std::optional<double> a = side(id, "padding", across ? Side::Left : Side::Top);
    const std::optional<double> b = side(id, "padding", across ? Side::Right : Side::Bottom);
    if (!a || !b) return std::nullopt;
    return *size + *a + *b;
  }

  // The padding box of the box placed against: where offsets count from.
  std::optional<double> paddingBox(int box, std::string_view dimension) const {
    if (box == kNoElement) return dimension == "width" ? module_.width : module_.height;
    if (value(box, "box-sizing") && asciiLowered(*value(box, "box-sizing")) == "border-box") {
      return mentions(box, "border") || !set(box, dimension) ? std::nullopt : px(box, dimension);
    }
    const bool across = dimension == "width";
    const std::optional<double> a = side(box, "padding", across ? Side::Left : Side::Top);
    const std::optional<double> b = side(box, "padding", across ? Side::Right : Side::Bottom);
    const std::optional<double> size = set(box, dimension) ? px(box, dimension) : std::nullopt;
    if (!size || !a || !b) return std::nullopt;
    return *size + *a + *b;
  }

  // Where an absolutely placed element's border box starts, from the padding
  // edge of its box: by left (top), or by right (bottom) and its own size.
  std::optional<double> offset(int id, bool across) const {
    const std::string_view near = across ? "left" : "top";
    const std::string_view far = across ? "right" : "bottom";
    const std::optional<double> nearMargin = side(id, "margin", across ? Side::Left : Side::Top);
    const std::optional<double> farMargin = side(id, "margin", across ? Side::Right : Side::Bottom);
    if (!nearMargin) return std::nullopt;
    if (set(id, near)) {
      const std::optional<double> o = px(id, near);
      if (!o) return std::nullopt;
      return *o + *nearMargin;
    }
    if (!set(id, far) || !farMargin) return std::nullopt;
    const std::string_view dimension = across ? "width" : "height";
    const std::optional<double> o = px(id, far);
    const std::optional<double> size = borderBox(id, dimension);
    const std::optional<double> room = paddingBox(parentOf(id), dimension);
    if (!o || !size || !room) return std::nullopt;
    return *room - *o - *farMargin - *size;
  }

  bool percentSize(int id) const {
    for (std::string_view p : {"width", "height"}) {
      const std::optional<std::string_view> v = value(id, p);
      if (v && v->find('%') != std::string_view::npos) return true;
    }
    return false;
  }

  bool transformed(int id) const {
    const std::optional<std::string_view> t = value(id, "transform");
    return (t && asciiLowered(*t) != "none") || set(id, "inset");
  }

  // A box the lines can stand in: one that holds blocks, whatever its display
  // (the parser closes a <p> at the first block inside it).
  bool blockContainer(int id) const {
    if (id == kNoElement) return true;
    if (!styles_[id].readable || r_.elements[id].foreign || r_.tag(id).name == "p") return false;
    if (const std::optional<std::string_view> d = value(id, "display")) {
      return isOneOf(asciiLowered(*d),
                     {"block", "inline-block", "list-item", "flow-root", "table-cell"});
    }
    return holdsBlocks(r_.tag(id).name);
  }

  // The height of a box's content, where lines over it stand: the module's
  // for the top level, a height in pixels of the box's own; nothing when the
  // style does not tell it, and the lines then stand beneath its content.
  std::optional<double> contentHeight(int box) const {
    if (box == kNoElement) return module_.height;
    if (!set(box, "height") || set(box, "min-height") || set(box, "max-height"))
      return std::nullopt;
    const std::optional<double> h = px(box, "height");
    if (!h) return std::nullopt;
    const std::optional<std::string_view> sizing = value(box, "box-sizing");
    if (!sizing || asciiLowered(*sizing) != "border-box") return h;
    if (mentions(box, "border")) return std::nullopt;
    const std::optional<double> a = side(box, "padding", Side::Top);
    const std::optional<double> b = side(box, "padding", Side::Bottom);
    if (!a || !b || *h - *a - *b < 0) return std::nullopt;
    return *h - *a - *b;
  }

  bool inFlowBlock(int id) const {
    if (const std::optional<std::string_view> d = value(id, "display")) {
      return isOneOf(asciiLowered(*d),
                     {"block", "list-item", "flow-root", "flex", "grid", "table"});
    }
    return holdsBlocks(r_.tag(id).name) && !isOneOf(r_.tag(id).name, {"td", "th"});
  }

  std::optional<Text> withStyle(int id, const Text& style) const {
    return withValue(code_, r_.tag(id), *styles_[id].attribute, style);
  }
  Text restyle(int id, std::span<const std::string_view> dropped, std::string_view added) const {
    return restyled(valueOf(code_, *styles_[id].attribute), styles_[id].declarations, dropped,
                    added);
  }

  void place(int id) {
    const Styled& s = styles_[id];
    if (s.position == Position::Absolute) {
      if (placedAgainst_[id] != kNoElement) ++dependents_[placedAgainst_[id]];
      placeAbsolute(id);
    } else if (s.position == Position::Relative) {
      shiftRelative(id);
    }
  }

  // Into a line of no height of its own in the box it was placed against, as
  // an inline block at the line's top left moved by its margins: CSS2 alone,
  // no position, no flex, and the same box on every shop page.
  void placeAbsolute(int id) {
    const Element& e = r_.elements[id];
    const int box = parentOf(id);
    if (placedAgainst_[id] != box || !styles_[id].readable || !blockContainer(box)) return;
    if (e.foreign || (!e.hasEndTag && !isVoidElement(r_.tag(id).name))) return;
    // After a '<' of the text, what follows it could join that into a tag.
    if (r_.tag(id).begin > 0 && code_[r_.tag(id).begin - 1] == '<') return;
    if (transformed(id) || percentSize(id)) return;
    const std::optional<std::string_view> display = value(id, "display");
    if (display && asciiLowered(*display) == "none") return;
    std::optional<double> x = offset(id, true);
    std::optional<double> y = offset(id, false);
    const std::optional<double> padLeft = side(box, "padding", Side::Left);
    const std::optional<double> padTop = side(box, "padding", Side::Top);
    if (!x || !y || !padLeft || !padTop) return;
    const Text added = "display:inline-block;vertical-align:top;margin:" + cssPixels(*y - *padTop) +
                       " 0 0 " + cssPixels(*x - *padLeft);
    const std::optional<Text> tag = withStyle(id, restyle(id, kMoved, added));
    if (!tag) return;
    w_.startTag[id] = *tag;
    w_.moved[id] = true;
    w_.lined[box].over.push_back(id);
    if (box != kNoElement) ++movedDependents_[box];
    placed_.push_back(id);
  }

  // Stacked as designed: by z-index, then in the code's order, each later
  // line drawn over the one before. Lines of a negative z-index stand
  // beneath the box's content, and so do all where its height is unknown.
  void order(int box, LinedBox& lined) {
    auto z = [&](int id) {
      const std::optional<std::string_view> v = value(id, "z-index");
      long n = 0;
      if (v) std::from_chars(v->data(), v->data() + v->size(), n);  // "auto" stays 0
      return n;
    };
    std::stable_sort(lined.over.begin(), lined.over.end(),
                     [&](int a, int b) { return z(a) < z(b); });
    const std::optional<double> height = contentHeight(box);
    auto firstOver = lined.over.begin();
    if (!height) {
      firstOver = lined.over.end();
    } else {
      while (firstOver != lined.over.end() && z(*firstOver) < 0) ++firstOver;
      lined.height = *height;
    }
    lined.under.assign(lined.over.begin(), firstOver);
    lined.over.erase(lined.over.begin(), firstOver);
  }

  void shiftRelative(int id) {
    double shift[2] = {0, 0};  // across, down
    const std::string_view pairs[2][2] = {{"left", "right"}, {"top", "bottom"}};
    for (int axis = 0; axis < 2; ++axis) {
      const bool nearSet = set(id, pairs[axis][0]);
      const std::string_view used = nearSet ? pairs[axis][0] : pairs[axis][1];
      if (!nearSet && !set(id, used)) continue;
      const std::optional<double> o = px(id, used);
      if (!o) return;
      shift[axis] = nearSet ? *o : -*o;
    }
    if (shift[0] == 0 && shift[1] == 0) return;  // a box to place in, not a shift
    if (!styles_[id].readable || !inFlowBlock(id) || transformed(id) || w_.startTag[id]) return;
    std::optional<double> m[4];
    for (int i = 0; i < 4; ++i) {
      m[i] = boxSide(styles_[id].declarations, "margin", static_cast<Side>(i));
      if (!m[i]) return;
    }
    const Text added = "margin:" + cssPixels(*m[0] + shift[1]) + " " + cssPixels(*m[1] - shift[0]) +
                       " " + cssPixels(*m[2] - shift[1]) + " " + cssPixels(*m[3] + shift[0]);
    const std::optional<Text> tag = withStyle(id, restyle(id, kPlacement, added));
    if (!tag) return;
    w_.startTag[id] = *tag;
    placed_.push_back(id);
  }

  // A box whose placed elements have all moved no longer needs its position.
  void freeBox(int id) {
    if (w_.startTag[id] || dependents_[id] == 0 || movedDependents_[id] != dependents_[id]) return;
    if (styles_[id].position != Position::Relative) return;
    const std::optional<Text> tag = withStyle(id, restyle(id, kPosition, ""));
    if (!tag) return;
    w_.startTag[id] = *tag;
    repairs_.push_back({RepairKind::PositionedBox, r_.tag(id).name, excerpt(r_.startTag(code_, id)),
                        excerpt(*tag)});
  }

  // A hot spot is a placed element that carries a link with it: the link
  // itself, or a box whose links are not placed on their own.
  void recordPlaced() {
    const std::size_t n = r_.elements.size();
    std::vector<bool> isPlaced(n, false);
    for (int id : placed_) isPlaced[id] = true;
    std::vector<int> carrier(n, kNoElement);
    std::vector<bool> carries(n, false);
    for (std::size_t i = 0; i < n; ++i) {
      const int parent = r_.elements[i].parent;
      carrier[i] =
          isPlaced[i] ? static_cast<int>(i) : (parent == kNoElement ? kNoElement : carrier[parent]);
      if (carrier[i] != kNoElement && isLink(static_cast<int>(i))) carries[carrier[i]] = true;
    }
    for (int id : placed_) {
      repairs_.push_back({carries[id] ? RepairKind::HotSpot : RepairKind::Placement,
                          r_.tag(id).name, excerpt(r_.startTag(code_, id)),
                          excerpt(*w_.startTag[id])});
    }
  }

  Rewrite& w_;
  const HtmlReading& r_;
  std::string_view code_;
  ModuleSize module_;
  Repairs& repairs_;
  std::vector<Styled> styles_;
  std::vector<int> placedAgainst_;
  std::vector<int> dependents_, movedDependents_;
  std::vector<int> placed_;
};

}  // namespace

void placeWithoutPosition(Rewrite& rewrite, ModuleSize module, Repairs& repairs) {
  Placer(rewrite, module, repairs).run();
}

}  // namespace lumdrift
