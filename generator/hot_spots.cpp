#include "generator/hot_spots.h"

#include <algorithm>
#include <optional>
#include <span>

#include "generator/html_tree.h"
#include "generator/inline_style.h"
#include "generator/number_text.h"

namespace lumdrift {
namespace {

// The line each moved element stands in, at the start of the box it was
// placed against: a block of no height (nothing after it moves), whose flex
// item sits at the line's top left plus its margins, is not shrunk, and
// stacks by its z-index as a positioned box does, with no position at all.
constexpr std::string_view kLineStart =
    "<div style=\"display:flex;align-items:flex-start;height:0\">";
constexpr std::string_view kLineEnd = "</div>";

enum class Position { Static, Relative, Absolute, Other };

// What a placed element's new style replaces: the last one only when it
// took no z-index of its own.
constexpr std::string_view kPlacementAndStacking[] = {
    "position",   "left",         "top",           "right",       "bottom", "margin",
    "margin-top", "margin-right", "margin-bottom", "margin-left", "z-index"};
constexpr std::span<const std::string_view> kPlacement(kPlacementAndStacking, 10);
constexpr std::string_view kPosition[] = {"position"};

bool isBlockTag(std::string_view name) {
  return isOneOf(name,
                 {"address", "article", "aside",  "blockquote", "center",  "dd",       "details",
                  "dialog",  "dir",     "div",    "dl",         "dt",      "fieldset", "figcaption",
                  "figure",  "footer",  "form",   "h1",         "h2",      "h3",       "h4",
                  "h5",      "h6",      "header", "hgroup",     "li",      "main",     "menu",
                  "nav",     "ol",      "p",      "pre",        "section", "ul"});
}

struct Styled {
  const Attribute* attribute = nullptr;
  std::vector<Declaration> declarations;
  Position position = Position::Static;
  bool readable = true;  // no character reference that the browser would read otherwise
};

class Placer {
 public:
  Placer(std::string_view code, ModuleSize module, Repairs& repairs)
      : code_(code), module_(module), repairs_(repairs), tree_(buildTree(code)) {}

  Text run() {
    const std::size_t n = tree_.elements.size();
    styles_.resize(n);
    placedAgainst_.assign(n, kNoElement);
    newTag_.resize(n);
    moved_.assign(n, false);
    movedInto_.resize(n);
    dependents_.assign(n, 0);
    movedDependents_.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i) readStyle(static_cast<int>(i));
    for (std::size_t i = 0; i < n; ++i) place(static_cast<int>(i));
    if (placed_.empty()) return Text(code_);
    recordPlaced();
    for (std::size_t i = 0; i < n; ++i) freeBox(static_cast<int>(i));
    return render();
  }

 private:
  std::string_view startTag(int id) const {
    const Token& t = tree_.tag(id);
    return code_.substr(t.begin, t.end - t.begin);
  }

  bool isLink(int id) const {
    return tree_.tag(id).name == "a" && findAttribute(code_, tree_.tag(id), "href") != nullptr;
  }

  void readStyle(int id) {
    Styled& s = styles_[id];
    s.attribute = findAttribute(code_, tree_.tag(id), "style");
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
    const int parent = tree_.elements[id].parent;
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
    const std::optional<double> room = paddingBox(tree_.elements[id].parent, dimension);
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

  // A box a block of no height can stand at the start of.
  bool blockContainer(int id) const {
    if (id == kNoElement) return true;
    if (!styles_[id].readable) return false;
    if (const std::optional<std::string_view> d = value(id, "display")) {
      return isOneOf(asciiLowered(*d),
                     {"block", "inline-block", "list-item", "flow-root", "table-cell"});
    }
    return isBlockTag(tree_.tag(id).name) || isOneOf(tree_.tag(id).name, {"td", "th"});
  }

  bool inFlowBlock(int id) const {
    if (const std::optional<std::string_view> d = value(id, "display")) {
      return isOneOf(asciiLowered(*d),
                     {"block", "list-item", "flow-root", "flex", "grid", "table"});
    }
    return isBlockTag(tree_.tag(id).name);
  }

  // The style without the declarations of the `dropped` properties, then
  // `added`.
  Text restyled(int id, std::span<const std::string_view> dropped, std::string_view added) const {
    const std::string_view style = valueOf(code_, *styles_[id].attribute);
    Text out;
    for (const Declaration& d : styles_[id].declarations) {
      if (std::find(dropped.begin(), dropped.end(), d.property) != dropped.end()) continue;
      const std::string_view text = style.substr(d.begin, d.end - d.begin);
      if (text.find_first_not_of(" \t\r\n\f") == std::string_view::npos) continue;
      if (!out.empty()) out += ';';
      out += text;
    }
    while (!out.empty() &&
           std::string_view(" \t\r\n\f").find(out.back()) != std::string_view::npos) {
      out.pop_back();
    }
    const bool endedWithSemicolon = style.find_last_not_of(" \t\r\n\f") != std::string_view::npos &&
                                    style[style.find_last_not_of(" \t\r\n\f")] == ';';
    if (!out.empty() && out.back() != ';' && (!added.empty() || endedWithSemicolon)) out += ';';
    out += added;
    return out;
  }

  // The start tag with the new style in place of the old.
  std::optional<Text> withStyle(int id, const Text& style) const {
    const Attribute& a = *styles_[id].attribute;
    const std::string_view tag = startTag(id);
    const std::size_t begin = tree_.tag(id).begin;
    char quote = a.quote;
    if (quote == 0) {
      const std::string_view old = valueOf(code_, a);
      if (old.find('"') == std::string_view::npos) {
        quote = '"';
      } else if (old.find('\'') == std::string_view::npos) {
        quote = '\'';
      } else {
        return std::nullopt;
      }
    }
    if (a.valueEnd == a.nameEnd) return std::nullopt;  // "style" without a value
    const std::size_t from = a.valueBegin - begin - (a.quote != 0 ? 1 : 0);
    const std::size_t to = a.valueEnd - begin + (a.quote != 0 ? 1 : 0);
    return Text(tag.substr(0, from)) + quote + style + quote + Text(tag.substr(to));
  }

  static Text pxText(double v) { return v == 0 ? Text("0") : formatNumber(v) + "px"; }

  void place(int id) {
    const Styled& s = styles_[id];
    if (s.position == Position::Absolute) {
      if (placedAgainst_[id] != kNoElement) ++dependents_[placedAgainst_[id]];
      placeAbsolute(id);
    } else if (s.position == Position::Relative) {
      shiftRelative(id);
    }
  }

  void placeAbsolute(int id) {
    const Element& e = tree_.elements[id];
    const int box = e.parent;
    if (placedAgainst_[id] != box || !styles_[id].readable || !blockContainer(box)) return;
    if (!e.hasEndTag && !isVoidElement(tree_.tag(id).name)) return;
    // After a '<' of the text, what follows it could join that into a tag.
    if (tree_.tag(id).begin > 0 && code_[tree_.tag(id).begin - 1] == '<') return;
    if (transformed(id) || percentSize(id)) return;
    std::optional<double> x = offset(id, true);
    std::optional<double> y = offset(id, false);
    const std::optional<double> padLeft = side(box, "padding", Side::Left);
    const std::optional<double> padTop = side(box, "padding", Side::Top);
    if (!x || !y || !padLeft || !padTop) return;
    const std::optional<std::string_view> z = value(id, "z-index");
    const bool stacking = z && asciiLowered(*z) != "auto";
    const Text added = "flex:none;margin:" + pxText(*y - *padTop) + " 0 0 " +
                       pxText(*x - *padLeft) + (stacking ? "" : ";z-index:1");
    const std::optional<Text> tag = stacking
                                        ? withStyle(id, restyled(id, kPlacement, added))
                                        : withStyle(id, restyled(id, kPlacementAndStacking, added));
    if (!tag) return;
    newTag_[id] = *tag;
    moved_[id] = true;
    (box == kNoElement ? movedToTop_ : movedInto_[box]).push_back(id);
    if (box != kNoElement) ++movedDependents_[box];
    placed_.push_back(id);
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
    if (!styles_[id].readable || !inFlowBlock(id) || transformed(id)) return;
    std::optional<double> m[4];
    for (int i = 0; i < 4; ++i) {
      m[i] = boxSide(styles_[id].declarations, "margin", static_cast<Side>(i));
      if (!m[i]) return;
    }
    const Text added = "margin:" + pxText(*m[0] + shift[1]) + " " + pxText(*m[1] - shift[0]) + " " +
                       pxText(*m[2] - shift[1]) + " " + pxText(*m[3] + shift[0]);
    const std::optional<Text> tag = withStyle(id, restyled(id, kPlacement, added));
    if (!tag) return;
    newTag_[id] = *tag;
    placed_.push_back(id);
  }

  // A box whose placed elements have all moved no longer needs its position.
  void freeBox(int id) {
    if (newTag_[id] || dependents_[id] == 0 || movedDependents_[id] != dependents_[id]) return;
    if (styles_[id].position != Position::Relative) return;
    const std::optional<Text> tag = withStyle(id, restyled(id, kPosition, ""));
    if (!tag) return;
    newTag_[id] = *tag;
    repairs_.push_back(
        {RepairKind::PositionedBox, tree_.tag(id).name, excerpt(startTag(id)), excerpt(*tag)});
  }

  // A hot spot is a placed element that carries a link with it: the link
  // itself, or a box whose links are not placed on their own.
  void recordPlaced() {
    const std::size_t n = tree_.elements.size();
    std::vector<bool> isPlaced(n, false);
    for (int id : placed_) isPlaced[id] = true;
    std::vector<int> carrier(n, kNoElement);
    std::vector<bool> carries(n, false);
    for (std::size_t i = 0; i < n; ++i) {
      const int parent = tree_.elements[i].parent;
      carrier[i] =
          isPlaced[i] ? static_cast<int>(i) : (parent == kNoElement ? kNoElement : carrier[parent]);
      if (carrier[i] != kNoElement && isLink(static_cast<int>(i))) carries[carrier[i]] = true;
    }
    for (int id : placed_) {
      repairs_.push_back({carries[id] ? RepairKind::HotSpot : RepairKind::Placement,
                          tree_.tag(id).name, excerpt(startTag(id)), excerpt(*newTag_[id])});
    }
  }

  std::string_view tagText(int id) const {
    return newTag_[id] ? std::string_view(*newTag_[id]) : startTag(id);
  }

  // The code with every new start tag, each moved element in its line at the
  // start of its box and gone from where it stood. Iterative: seller's code
  // may nest deeper than a thread's stack allows.
  Text render() {
    struct Frame {
      int id;
      std::size_t pos;
      std::size_t nextMoved = 0;
      std::size_t nextChild = 0;
      bool inLine = false;
    };
    Text out;
    out.reserve(code_.size() + code_.size() / 8 + 256);
    std::vector<Frame> stack{{kNoElement, 0}};
    while (!stack.empty()) {
      Frame& f = stack.back();
      const std::vector<int>& moved = f.id == kNoElement ? movedToTop_ : movedInto_[f.id];
      const std::vector<int>& children =
          f.id == kNoElement ? tree_.topLevel : tree_.elements[f.id].children;
      if (f.nextMoved < moved.size()) {
        const int c = moved[f.nextMoved++];
        out += kLineStart;
        out += tagText(c);
        stack.push_back({c, tree_.elements[c].contentBegin, 0, 0, true});
        continue;
      }
      if (f.nextChild < children.size()) {
        const int c = children[f.nextChild++];
        const Element& child = tree_.elements[c];
        out.append(code_.substr(f.pos, tree_.tag(child).begin - f.pos));
        f.pos = child.end;
        if (moved_[c]) continue;
        out += tagText(c);
        stack.push_back({c, child.contentBegin});
        continue;
      }
      const std::size_t end = f.id == kNoElement ? code_.size() : tree_.elements[f.id].end;
      out.append(code_.substr(f.pos, end - f.pos));
      if (f.inLine) out += kLineEnd;
      stack.pop_back();
    }
    return out;
  }

  std::string_view code_;
  ModuleSize module_;
  Repairs& repairs_;
  HtmlTree tree_;
  std::vector<Styled> styles_;
  std::vector<int> placedAgainst_;
  std::vector<std::optional<Text>> newTag_;
  std::vector<bool> moved_;
  std::vector<std::vector<int>> movedInto_;
  std::vector<int> movedToTop_;
  std::vector<int> dependents_, movedDependents_;
  std::vector<int> placed_;
};

}  // namespace

Text placeWithoutPosition(std::string_view code, ModuleSize module, Repairs& repairs) {
  return Placer(code, module, repairs).run();
}

}  // namespace lumdrift
