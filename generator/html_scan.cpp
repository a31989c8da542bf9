#include "generator/html_scan.h"

#include <algorithm>
#include <array>

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

class Scanner {
 public:
  explicit Scanner(std::string_view code) : code_(code) {}

  std::vector<Token> run() {
    std::size_t at = 0;
    while (at < code_.size()) {
      const std::size_t lt = code_.find('<', at);
      if (lt == std::string_view::npos) break;
      const std::size_t next = markup(lt);
      if (next == lt) {
        at = lt + 1;  // a '<' that starts nothing is text
        continue;
      }
      at = next;
      if (tokens_.back().kind == TokenKind::StartTag) at = afterStartTag(next);
    }
    text(textFrom_, code_.size());
    return std::move(tokens_);
  }

 private:
  void text(std::size_t from, std::size_t to) {
    if (to > from) tokens_.push_back(token(TokenKind::Text, from, to));
  }

  // The markup at `lt`; returns where it ends, or `lt` when it is text.
  std::size_t markup(std::size_t lt) {
    const char c = lt + 1 < code_.size() ? code_[lt + 1] : '\0';
    if (code_.substr(lt, 4) == "<!--") return comment(lt);
    if (c == '!' || c == '?') return bogusComment(lt, lt + 2);
    if (c == '/') {
      const char d = lt + 2 < code_.size() ? code_[lt + 2] : '\0';
      if (isLetter(d)) return tag(lt, lt + 2, TokenKind::EndTag);
      if (d == '>') return bogusComment(lt, lt + 2);  // "</>" is dropped
      if (lt + 2 >= code_.size()) return unfinished(token(TokenKind::EndTag, lt, 0), 0);
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
    return push(std::move(t));
  }

  // Up to the next '>'. One the code ends inside of is unfinished: whatever
  // follows the code would end it.
  std::size_t bogusComment(std::size_t lt, std::size_t from) {
    const std::size_t gt = code_.find('>', from);
    if (gt == std::string_view::npos) return unfinished(token(TokenKind::Comment, lt, 0), 0);
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
      if (at >= code_.size()) return unfinished(std::move(t), 0);
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
        if (at >= code_.size()) return unfinished(std::move(t), 0);
        if (code_[at] == '"' || code_[at] == '\'') {
          a.quote = code_[at];
          a.valueBegin = at + 1;
          const std::size_t close = code_.find(a.quote, a.valueBegin);
          if (close == std::string_view::npos) return unfinished(std::move(t), a.quote);
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

  std::size_t unfinished(Token t, char quote) {
    t.kind = TokenKind::Unfinished;
    t.end = code_.size();
    t.openQuote = quote;
    return push(std::move(t));
  }

  // Markup, after the text before it.
  std::size_t push(Token t) {
    text(textFrom_, t.begin);
    const std::size_t end = textFrom_ = t.end;
    tokens_.push_back(std::move(t));
    return end;
  }

  // Raw content runs to its end tag, or everything after <plaintext>.
  std::size_t afterStartTag(std::size_t from) {
    const Text& name = tokens_.back().name;
    std::size_t to = from;
    if (name == "plaintext") {
      to = code_.size();
    } else if (hasRawContent(name)) {
      to = rawContentEnd(code_, from, name);
    }
    text(from, to);
    textFrom_ = to;
    return to;
  }

  std::string_view code_;
  std::vector<Token> tokens_;
  std::size_t textFrom_ = 0;
};

}  // namespace

std::vector<Token> scanHtml(std::string_view code) {
  return Scanner(code).run();
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

bool hasRawContent(std::string_view name) {
  return isOneOf(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed",
                        "noframes", "noscript"});
}

bool isVoidElement(std::string_view name) {
  return isOneOf(name,
                 {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img",
                  "input", "keygen", "link", "meta", "param", "source", "track", "wbr"});
}

bool hasOptionalEnd(std::string_view name) {
  return isOneOf(name, {"p",  "li", "dt",    "dd",    "option", "optgroup", "tr",
                        "td", "th", "thead", "tbody", "tfoot",  "colgroup", "caption",
                        "rb", "rt", "rtc",   "rp",    "html",   "head",     "body"});
}

}  // namespace lumdrift
