#include "generator/html_tree.h"

#include <algorithm>
#include <unordered_map>

namespace lumdrift {
namespace {

bool closesParagraph(std::string_view name) {
  return isOneOf(name, {"address",  "article",    "aside",  "blockquote", "center", "details",
                        "dialog",   "dir",        "div",    "dl",         "dd",     "dt",
                        "fieldset", "figcaption", "figure", "footer",     "form",   "h1",
                        "h2",       "h3",         "h4",     "h5",         "h6",     "header",
                        "hgroup",   "hr",         "li",     "main",       "menu",   "nav",
                        "ol",       "p",          "pre",    "section",    "table",  "ul"});
}

class Builder {
 public:
  Builder(std::string_view code, HtmlTree& tree) : code_(code), tree_(tree) {}

  void run() {
    for (std::size_t i = 0; i < tree_.tokens.size(); ++i) {
      const Token& t = tree_.tokens[i];
      if (t.kind == TokenKind::StartTag) {
        start(i);
      } else if (t.kind == TokenKind::EndTag) {
        end(t);
      }
    }
    while (!open_.empty()) close(code_.size(), code_.size(), false);
  }

 private:
  const Text& nameOf(int element) const { return tree_.tag(element).name; }

  bool anyOpen(std::initializer_list<std::string_view> names) const {
    for (std::string_view name : names) {
      const auto it = openCount_.find(Text(name));
      if (it != openCount_.end() && it->second > 0) return true;
    }
    return false;
  }

  // The innermost open element of one of the names, not looking past the
  // first of `stops`; -1 when there is none. A scan that closes nothing
  // stops after kScopeDepth elements, so that deeply nested code stays
  // linear; a browser would look further.
  int openIndex(std::initializer_list<std::string_view> names,
                std::initializer_list<std::string_view> stops) const {
    static constexpr std::size_t kScopeDepth = 256;
    if (!anyOpen(names)) return -1;
    const std::size_t last =
        stops.size() == 0 || open_.size() < kScopeDepth ? 0 : open_.size() - kScopeDepth;
    for (std::size_t i = open_.size(); i-- > last;) {
      const Text& name = nameOf(open_[i]);
      if (isOneOf(name, names)) return static_cast<int>(i);
      if (isOneOf(name, stops)) return -1;
    }
    return -1;
  }

  // Closes the open elements down to the one at `index` without end tags.
  void closeDownTo(int index, std::size_t at) {
    while (static_cast<int>(open_.size()) > index) close(at, at, false);
  }

  void close(std::size_t contentEnd, std::size_t end, bool withEndTag) {
    Element& e = tree_.elements[open_.back()];
    e.contentEnd = contentEnd;
    e.end = end;
    e.hasEndTag = withEndTag;
    if (isOneOf(nameOf(open_.back()), {"svg", "math"})) --foreign_;
    --openCount_[nameOf(open_.back())];
    open_.pop_back();
  }

  void start(std::size_t token) {
    const Token& t = tree_.tokens[token];
    const Text& name = t.name;
    if (closesParagraph(name)) {
      const int p = openIndex({"p"}, {"button", "table", "td", "th", "caption", "object", "marquee",
                                      "applet", "template", "svg", "math"});
      if (p >= 0) closeDownTo(p, t.begin);
    }
    if (name == "li") {
      const int li = openIndex({"li"}, {"ul", "ol", "table", "svg", "math"});
      if (li >= 0) closeDownTo(li, t.begin);
    } else if (name == "dt" || name == "dd") {
      const int item = openIndex({"dt", "dd"}, {"dl", "table", "svg", "math"});
      if (item >= 0) closeDownTo(item, t.begin);
    } else if (name == "td" || name == "th") {
      const int cell = openIndex({"td", "th"}, {"tr", "table"});
      if (cell >= 0) closeDownTo(cell, t.begin);
    } else if (name == "tr") {
      const int row = openIndex({"tr"}, {"table", "tbody", "thead", "tfoot"});
      if (row >= 0) closeDownTo(row, t.begin);
    } else if ((name == "option" || name == "optgroup") && !open_.empty() &&
               nameOf(open_.back()) == "option") {
      close(t.begin, t.begin, false);
    }

    const int parent = open_.empty() ? kNoElement : open_.back();
    const int id = static_cast<int>(tree_.elements.size());
    tree_.elements.push_back({token, parent, {}, t.end, t.end, t.end, false});
    (parent == kNoElement ? tree_.topLevel : tree_.elements[parent].children).push_back(id);
    // Only inside SVG and MathML does "/>" end an element.
    if (isVoidElement(name) || (foreign_ > 0 && t.selfClosing)) return;
    open_.push_back(id);
    ++openCount_[name];
    if (name == "svg" || name == "math") ++foreign_;
  }

  void end(const Token& t) {
    const int index = openIndex({t.name}, {});
    if (index < 0) return;  // closes nothing: it stays in the code as it is
    closeDownTo(index + 1, t.begin);
    close(t.begin, t.end, true);
  }

  std::string_view code_;
  HtmlTree& tree_;
  std::vector<int> open_;
  std::unordered_map<Text, int> openCount_;
  int foreign_ = 0;
};

}  // namespace

HtmlTree buildTree(std::string_view code) {
  HtmlTree tree;
  tree.tokens = scanHtml(code);
  Builder(code, tree).run();
  return tree;
}

}  // namespace lumdrift
