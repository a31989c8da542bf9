#include "repair/html_reader.h"

#include <unordered_map>

namespace lumdrift {
namespace {

bool isLetter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Where the raw content that starts at `from` ends: at "</name" followed by
// a space, '/' or '>', or at the end of the code.
std::size_t rawContentEnd(std::string_view code, std::size_t from, std::string_view name) {
  for (std::size_t at = code.find("</", from); at != std::string_view::npos;
       at = code.find("</", at + 2)) {
    const std::size_t after = at + 2 + name.size();
    if (after > code.size()) break;
    bool same = true;
    for (std::size_t i = 0; i < name.size() && same; ++i) {
      same = asciiLower(code[at + 2 + i]) == name[i];
    }
    if (same && (after == code.size() || isHtmlSpace(code[after]) || code[after] == '/' ||
                 code[after] == '>')) {
      return at;
    }
  }
  return code.size();
}

Token token(TokenKind kind, std::size_t begin, std::size_t end) {
  Token t;
  t.kind = kind;
  t.begin = begin;
  t.end = end;
  return t;
}

// An entry of the parser's list of formatting elements, or a cell's marker
// (which clears the list back to it when the cell closes).
constexpr int kMarker = -2;

class Reader {
 public:
  explicit Reader(std::string_view code) : code_(code) {}

  HtmlReading run() {
    std::size_t at = 0;
    while (at < code_.size() && !r_.plaintext) {
      const std::size_t lt = code_.find('<', at);
      if (lt == std::string_view::npos) break;
      const std::size_t next = markup(lt);
      if (next == lt) {
        at = lt + 1;  // a '<' that starts nothing is text
        continue;
      }
      at = next;
      if (r_.tokens.back().kind == TokenKind::StartTag) at = startTag(next);
    }
    text(textFrom_, code_.size());
    for (int id : open_) r_.elements[id].openAtEnd = true;
    while (!open_.empty()) pop(code_.size(), code_.size(), false);
    for (int entry : formatting_) {
      if (entry == kMarker) break;  // what lies past it, an open cell clears when it closes
      r_.stillFormatting.push_back(entry);
    }
    return std::move(r_);
  }

 private:
  // ------------------------------------------------------------ tokens

  void text(std::size_t from, std::size_t to) {
    if (to > from) r_.tokens.push_back(token(TokenKind::Text, from, to));
  }

  bool inForeign() const { return !open_.empty() && r_.elements[open_.back()].foreign; }

  // The markup at `lt`; returns where it ends, or `lt` when it is text.
  std::size_t markup(std::size_t lt) {
    const char c = lt + 1 < code_.size() ? code_[lt + 1] : '\0';
    if (code_.substr(lt, 4) == "<!--") return comment(lt);
    if (inForeign() && code_.substr(lt, 9) == "<![CDATA[") return cdata(lt);
    if (c == '!' || c == '?') return bogusComment(lt, lt + 2);
    if (c == '/') {
      const char d = lt + 2 < code_.size() ? code_[lt + 2] : '\0';
      if (isLetter(d)) return tag(lt, lt + 2, TokenKind::EndTag);
      if (d == '>') return bogusComment(lt, lt + 2);  // "</>" is dropped
      if (lt + 2 >= code_.size()) return unfinished(token(TokenKind::EndTag, lt, 0), ">");
      return bogusComment(lt, lt + 2);
    }
    if (isLetter(c)) return tag(lt, lt + 1, TokenKind::StartTag);
    return lt;
  }

  std::size_t comment(std::size_t lt) {
    std::size_t from = lt + 4;
    // "<!-->" and "<!--->" end at once.
    if (code_.substr(from, 1) == ">") return push(token(TokenKind::Comment, lt, from + 1));
    if (code_.substr(from, 2) == "->") return push(token(TokenKind::Comment, lt, from + 2));
    for (std::size_t at = code_.find("--", from); at != std::string_view::npos;
         at = code_.find("--", at + 1)) {
      if (code_.substr(at + 2, 1) == ">") return push(token(TokenKind::Comment, lt, at + 3));
      if (code_.substr(at + 2, 2) == "!>") return push(token(TokenKind::Comment, lt, at + 4));
    }
    Token t = token(TokenKind::Unfinished, lt, code_.size());
    t.unfinishedComment = true;
    t.finish = "-->";
    return push(std::move(t));
  }

  // Text in SVG and MathML, markup characters and all, up to "]]>".
  std::size_t cdata(std::size_t lt) {
    const std::size_t close = code_.find("]]>", lt + 9);
    if (close == std::string_view::npos) {
      Token t = token(TokenKind::Unfinished, lt, code_.size());
      t.finish = "]]>";
      return push(std::move(t));
    }
    return push(token(TokenKind::Text, lt, close + 3));
  }

  // Up to the next '>'. One the code ends inside of is unfinished: whatever
  // follows the code would end it.
  std::size_t bogusComment(std::size_t lt, std::size_t from) {
    const std::size_t gt = code_.find('>', from);
    if (gt == std::string_view::npos) return unfinished(token(TokenKind::Comment, lt, 0), ">");
    return push(token(TokenKind::Comment, lt, gt + 1));
  }

  std::size_t tag(std::size_t lt, std::size_t nameFrom, TokenKind kind) {
    Token t = token(kind, lt, 0);
    std::size_t at = nameFrom;
    while (at < code_.size() && !isHtmlSpace(code_[at]) && code_[at] != '/' && code_[at] != '>')
      ++at;
    t.name = asciiLowered(code_.substr(nameFrom, at - nameFrom));
    for (;;) {
      while (at < code_.size() && (isHtmlSpace(code_[at]) || code_[at] == '/')) {
        if (code_[at] == '/' && at + 1 < code_.size() && code_[at + 1] == '>') t.selfClosing = true;
        ++at;
      }
      if (at >= code_.size()) return unfinished(std::move(t), ">");
      if (code_[at] == '>') break;
      Attribute a{at, at, 0, 0, 0};
      ++at;  // the first character may be '='
      while (at < code_.size() && !isHtmlSpace(code_[at]) && code_[at] != '/' && code_[at] != '>' &&
             code_[at] != '=') {
        ++at;
      }
      a.nameEnd = at;
      std::size_t look = at;
      while (look < code_.size() && isHtmlSpace(code_[look])) ++look;
      if (look < code_.size() && code_[look] == '=') {
        at = look + 1;
        while (at < code_.size() && isHtmlSpace(code_[at])) ++at;
        if (at >= code_.size()) return unfinished(std::move(t), ">");
        if (code_[at] == '"' || code_[at] == '\'') {
          a.quote = code_[at];
          a.valueBegin = at + 1;
          const std::size_t close = code_.find(a.quote, a.valueBegin);
          if (close == std::string_view::npos) {
            t.openQuote = a.quote;
            return unfinished(std::move(t), Text(1, a.quote) + ">");
          }
          a.valueEnd = close;
          at = close + 1;
        } else {
          a.valueBegin = at;
          while (at < code_.size() && !isHtmlSpace(code_[at]) && code_[at] != '>') ++at;
          a.valueEnd = at;
        }
      } else {
        a.valueBegin = a.valueEnd = a.nameEnd;
      }
      t.attributes.push_back(a);
    }
    t.end = at + 1;
    return push(std::move(t));
  }

  std::size_t unfinished(Token t, Text finish) {
    t.kind = TokenKind::Unfinished;
    t.end = code_.size();
    t.finish = std::move(finish);
    return push(std::move(t));
  }

  // Markup, after the text before it; an end tag goes to the nesting at once.
  std::size_t push(Token t) {
    text(textFrom_, t.begin);
    const std::size_t end = textFrom_ = t.end;
    r_.tokens.push_back(std::move(t));
    if (r_.tokens.back().kind == TokenKind::EndTag) endTag(r_.tokens.size() - 1);
    return end;
  }

  // The element a start tag opens; raw content runs to its end tag, and
  // everything after <plaintext> is text.
  std::size_t startTag(std::size_t from) {
    const std::size_t index = r_.tokens.size() - 1;
    const bool foreign = open(index);
    const Text& name = r_.tokens[index].name;
    std::size_t to = from;
    if (!foreign && name == "plaintext") {
      to = code_.size();
      r_.plaintext = true;
    } else if (!foreign && hasRawContent(name)) {
      to = rawContentEnd(code_, from, name);
    }
    text(from, to);
    textFrom_ = to;
    return to;
  }

  // ------------------------------------------------------------ nesting

  const Text& nameOf(int element) const { return r_.tag(element).name; }

  bool boundary(int element) const {
    return isScopeBoundary(nameOf(element), r_.elements[element].foreign);
  }

  // The place in the stack of the innermost open element of that name, not
  // looking past a scope boundary or one of `stops`; -1 when there is none.
  // `blocked` tells whether a boundary ended the search. A search stops after
  // kScopeDepth elements, so that deeply nested code stays linear; a browser
  // would look further.
  int openIndex(std::string_view name, std::initializer_list<std::string_view> stops,
                bool* blocked = nullptr) const {
    static constexpr std::size_t kScopeDepth = 256;
    if (blocked != nullptr) *blocked = boundaries_ > 0;
    const auto count = openCount_.find(Text(name));
    if (count == openCount_.end() || count->second == 0) return -1;
    const std::size_t last = open_.size() < kScopeDepth ? 0 : open_.size() - kScopeDepth;
    for (std::size_t i = open_.size(); i-- > last;) {
      const int id = open_[i];
      if (nameOf(id) == name) return static_cast<int>(i);
      if (boundary(id) || isOneOf(nameOf(id), stops)) {
        if (blocked != nullptr) *blocked = true;
        return -1;
      }
    }
    if (blocked != nullptr) *blocked = true;
    return -1;
  }

  void pop(std::size_t contentEnd, std::size_t end, bool withEndTag) {
    const int id = open_.back();
    Element& e = r_.elements[id];
    e.contentEnd = contentEnd;
    e.end = end;
    e.hasEndTag = withEndTag;
    --openCount_[nameOf(id)];
    if (boundary(id)) --boundaries_;
    if (!e.foreign &&
        isOneOf(nameOf(id), {"td", "th", "caption", "applet", "object", "marquee", "template"})) {
      while (!formatting_.empty() && formatting_.back() != kMarker) formatting_.pop_back();
      if (!formatting_.empty()) formatting_.pop_back();
    }
    open_.pop_back();
  }

  void closeDownTo(int index, std::size_t at) {
    while (static_cast<int>(open_.size()) > index) pop(at, at, false);
  }

  void closeOpen(std::string_view name, std::initializer_list<std::string_view> stops,
                 std::size_t at) {
    const int index = openIndex(name, stops);
    if (index >= 0) closeDownTo(index, at);
  }

  void forgetFormatting(int id) {
    for (std::size_t i = formatting_.size(); i-- > 0;) {
      if (formatting_[i] == kMarker) return;
      if (formatting_[i] == id) {
        formatting_.erase(formatting_.begin() + static_cast<std::ptrdiff_t>(i));
        return;
      }
    }
  }

  // The formatting element of that name the parser still holds, back to the
  // last marker; kNoElement when there is none.
  int heldFormatting(std::string_view name) const {
    for (std::size_t i = formatting_.size(); i-- > 0;) {
      if (formatting_[i] == kMarker) break;
      if (nameOf(formatting_[i]) == name) return formatting_[i];
    }
    return kNoElement;
  }

  // Returns whether the element is SVG or MathML.
  bool open(std::size_t index) {
    const Token& t = r_.tokens[index];
    const Text& name = t.name;
    bool foreign = inForeign();
    if (foreign && (breaksOutOfForeign(name) ||
                    (name == "font" && (findAttribute(code_, t, "color") != nullptr ||
                                        findAttribute(code_, t, "face") != nullptr ||
                                        findAttribute(code_, t, "size") != nullptr)))) {
      while (inForeign()) pop(t.begin, t.begin, false);
      foreign = false;
    }
    if (name == "svg" || name == "math") foreign = true;
    if (!foreign) {
      if (closesParagraph(name)) closeOpen("p", {"button"}, t.begin);
      if (name == "li") {
        closeOpen("li", {"ul", "ol"}, t.begin);
      } else if (name == "dt" || name == "dd") {
        const int dt = openIndex("dt", {"dl"}), dd = openIndex("dd", {"dl"});
        const int item = dt > dd ? dt : dd;
        if (item >= 0) closeDownTo(item, t.begin);
      } else if (name == "td" || name == "th") {
        const int td = openIndex("td", {"tr"}), th = openIndex("th", {"tr"});
        const int cell = td > th ? td : th;
        if (cell >= 0) closeDownTo(cell, t.begin);
      } else if (name == "tr") {
        closeOpen("tr", {"tbody", "thead", "tfoot"}, t.begin);
      } else if ((name == "option" || name == "optgroup") && !open_.empty() &&
                 nameOf(open_.back()) == "option") {
        pop(t.begin, t.begin, false);
      } else if (name == "a") {
        // A link inside a link closes the first.
        const int a = heldFormatting("a");
        if (a != kNoElement) {
          forgetFormatting(a);
          for (std::size_t i = open_.size(); i-- > 0;) {
            if (open_[i] == a) {
              closeDownTo(static_cast<int>(i), t.begin);
              break;
            }
          }
        }
      }
    }

    const int parent = open_.empty() ? kNoElement : open_.back();
    const int id = static_cast<int>(r_.elements.size());
    r_.elements.push_back({index, parent, {}, t.end, t.end, t.end, false, false, foreign});
    (parent == kNoElement ? r_.topLevel : r_.elements[parent].children).push_back(id);
    // Only inside SVG and MathML does "/>" end an element.
    if ((!foreign && isVoidElement(name)) || (foreign && t.selfClosing)) return foreign;
    open_.push_back(id);
    ++openCount_[name];
    if (boundary(id)) ++boundaries_;
    if (!foreign && isFormatting(name)) formatting_.push_back(id);
    if (!foreign &&
        isOneOf(name, {"td", "th", "caption", "applet", "object", "marquee", "template"})) {
      formatting_.push_back(kMarker);
    }
    return foreign;
  }

  bool holdsBlockAbove(int index) const {
    for (std::size_t i = static_cast<std::size_t>(index) + 1; i < open_.size(); ++i) {
      const Text& name = nameOf(open_[i]);
      if (closesParagraph(name) ||
          isOneOf(name, {"td", "th", "tr", "tbody", "thead", "tfoot", "caption"})) {
        return true;
      }
    }
    return false;
  }

  void endTag(std::size_t index) {
    const Token& t = r_.tokens[index];
    // "</p>" and "</br>" end SVG and MathML content before they do anything.
    if (inForeign() && (t.name == "p" || t.name == "br")) {
      while (inForeign()) pop(t.begin, t.begin, false);
    }
    // "</p>" with no <p> open makes an empty paragraph and "</br>" a line
    // break: both as in a plain module, neither closes anything.
    if (t.name == "br" || (t.name == "p" && openIndex("p", {"button"}) < 0)) return;
    bool blocked = false;
    const int at = openIndex(t.name, {}, &blocked);
    if (at >= 0) {
      const int id = open_[at];
      if (!r_.elements[id].foreign && isFormatting(t.name) && holdsBlockAbove(at)) {
        r_.elements[id].endedAroundBlock = true;
        forgetFormatting(id);
        return;
      }
      closeDownTo(at + 1, t.begin);
      pop(t.begin, t.end, true);
      forgetFormatting(id);
      return;
    }
    if (isFormatting(t.name)) {
      // Ends the formatting element the parser still held for what follows.
      const int held = heldFormatting(t.name);
      if (held != kNoElement) {
        forgetFormatting(held);
        return;
      }
    }
    r_.dropped.push_back({index, !blocked});
  }

  std::string_view code_;
  HtmlReading r_;
  std::size_t textFrom_ = 0;
  std::vector<int> open_;
  std::unordered_map<Text, int> openCount_;
  int boundaries_ = 0;  // open scope boundaries
  std::vector<int> formatting_;
};

}  // namespace

HtmlReading readHtml(std::string_view code) {
  return Reader(code).run();
}

const Attribute* findAttribute(std::string_view code, const Token& tag, std::string_view name) {
  for (const Attribute& a : tag.attributes) {
    const std::string_view n = code.substr(a.nameBegin, a.nameEnd - a.nameBegin);
    if (n.size() != name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < n.size() && same; ++i) same = asciiLower(n[i]) == name[i];
    if (same) return &a;
  }
  return nullptr;
}

}  // namespace lumdrift
