// Fuzz target: the repair of the seller's code. Whatever the code, the repair
// ends, reports cleanly, and keeps every text character: the characters of the
// input's text (outside tags and comments, white space aside) are exactly the
// output's, as many of each, with the template's end tags after the code.
// Code it does not repair comes back byte for byte.
//
// The text is told by a tokenizer of this file's own, written from the HTML
// tokenizer's states and not from the product's reader: data, tags with quoted
// attribute values, comments, bogus comments, raw text of the HTML elements
// that have it, and CDATA inside SVG and MathML (entered at <svg>/<math>,
// left when an end tag closes them or an element around them, or at an HTML
// element that ends foreign content).
//
// Input layout: [0] [1] the module width and height selectors, then the code.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "repair/code_repair.h"
#include "repair/repair_report.h"

namespace {

using Counts = std::array<std::size_t, 256>;

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
bool letter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool space(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool among(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* n : names) {
    if (name == n) return true;
  }
  return false;
}

// Counts the text bytes of `code` that lie before `limit`.
Counts textCharacters(const std::string& code, std::size_t limit) {
  Counts counts{};
  auto count = [&](std::size_t from, std::size_t to) {
    for (std::size_t i = from; i < to && i < limit; ++i) {
      if (!space(code[i])) ++counts[static_cast<unsigned char>(code[i])];
    }
  };
  // The elements open, each with whether it is SVG or MathML: an end tag
  // closes the nearest of its name short of a scope boundary.
  struct Open {
    std::string name;
    bool foreign;
  };
  std::vector<Open> open;
  auto inForeign = [&] { return !open.empty() && open.back().foreign; };
  auto close = [&](const std::string& name) {
    for (std::size_t k = open.size(); k-- > 0;) {
      if (open[k].name == name) {
        open.resize(k);
        return;
      }
      if (open[k].foreign ? among(open[k].name, {"mi", "mo", "mn", "ms", "mtext", "annotation-xml",
                                                 "foreignobject", "desc", "title"})
                          : among(open[k].name, {"applet", "caption", "html", "table", "td", "th",
                                                 "marquee", "object", "template"})) {
        return;
      }
    }
  };
  auto leaveForeign = [&] {
    while (inForeign()) open.pop_back();
  };
  std::size_t at = 0;
  const std::size_t n = code.size();
  while (at < n) {
    const std::size_t lt = code.find('<', at);
    if (lt == std::string::npos) {
      count(at, n);
      break;
    }
    count(at, lt);
    const char c = lt + 1 < n ? code[lt + 1] : 0;
    if (code.compare(lt, 4, "<!--") == 0) {
      std::size_t end = lt + 4;
      if (code.compare(end, 1, ">") == 0) {
        at = end + 1;
      } else if (code.compare(end, 2, "->") == 0) {
        at = end + 2;
      } else {
        std::size_t close = std::string::npos;
        for (std::size_t d = code.find("--", end); d != std::string::npos;
             d = code.find("--", d + 1)) {
          if (code.compare(d + 2, 1, ">") == 0) {
            close = d + 3;
            break;
          }
          if (code.compare(d + 2, 2, "!>") == 0) {
            close = d + 4;
            break;
          }
        }
        at = close == std::string::npos ? n : close;
      }
      continue;
    }
    if (inForeign() && code.compare(lt, 9, "<![CDATA[") == 0) {
      const std::size_t close = code.find("]]>", lt + 9);
      count(lt + 9, close == std::string::npos ? n : close);
      at = close == std::string::npos ? n : close + 3;
      continue;
    }
    const bool end = c == '/';
    const std::size_t nameAt = lt + (end ? 2 : 1);
    if (c == '!' || c == '?' || (end && (nameAt >= n || !letter(code[nameAt])))) {
      if (end && nameAt >= n) {
        at = n;
        continue;
      }
      const std::size_t gt = code.find('>', lt + 2);
      at = gt == std::string::npos ? n : gt + 1;
      continue;
    }
    if (!letter(c) && !end) {
      count(lt, lt + 1);
      at = lt + 1;
      continue;
    }
    // A tag: its name, then attributes up to the '>' outside quotes.
    std::size_t i = nameAt;
    std::string name;
    while (i < n && !space(code[i]) && code[i] != '/' && code[i] != '>') name += lower(code[i++]);
    bool selfClosing = false;
    while (i < n && code[i] != '>') {
      if (space(code[i]) || code[i] == '/') {
        selfClosing = code[i] == '/' && i + 1 < n && code[i + 1] == '>';
        ++i;
        continue;
      }
      // An attribute's name, whose first character may be '=', then its value.
      ++i;
      while (i < n && !space(code[i]) && code[i] != '/' && code[i] != '>' && code[i] != '=') ++i;
      std::size_t look = i;
      while (look < n && space(code[look])) ++look;
      if (look >= n || code[look] != '=') continue;
      i = look + 1;
      while (i < n && space(code[i])) ++i;
      if (i < n && (code[i] == '"' || code[i] == '\'')) {
        const std::size_t q = code.find(code[i], i + 1);
        i = q == std::string::npos ? n : q + 1;
      } else {
        while (i < n && !space(code[i]) && code[i] != '>') ++i;
      }
    }
    at = i < n ? i + 1 : n;
    if (end) {
      // "</p>" and "</br>" end SVG and MathML content before they do anything.
      if (inForeign() && (name == "p" || name == "br")) leaveForeign();
      close(name);
      continue;
    }
    const std::string tagText = code.substr(lt, at - lt);
    std::string lowered;
    for (char ch : tagText) lowered += lower(ch);
    const bool fontBreaks = name == "font" && (lowered.find("color") != std::string::npos ||
                                               lowered.find("face") != std::string::npos ||
                                               lowered.find("size") != std::string::npos);
    if (inForeign() &&
        (fontBreaks ||
         among(name,
               {"b",       "big",   "blockquote", "body",   "br",     "center", "code", "dd",
                "div",     "dl",    "dt",         "em",     "embed",  "h1",     "h2",   "h3",
                "h4",      "h5",    "h6",         "head",   "hr",     "i",      "img",  "li",
                "listing", "menu",  "meta",       "nobr",   "ol",     "p",      "pre",  "ruby",
                "s",       "small", "span",       "strong", "strike", "sub",    "sup",  "table",
                "tt",      "u",     "ul",         "var"}))) {
      leaveForeign();
    }
    if (name == "svg" || name == "math" || inForeign()) {
      if (!selfClosing) open.push_back({name, true});
      continue;
    }
    if (!among(name,
               {"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img",
                "input", "keygen", "link", "meta", "param", "source", "track", "wbr"})) {
      open.push_back({name, false});
    }
    if (name == "plaintext") {
      count(at, n);
      break;
    }
    if (among(name, {"script", "style", "textarea", "title", "xmp", "iframe", "noembed", "noframes",
                     "noscript"})) {
      std::size_t close = at;
      for (;;) {
        close = code.find("</", close);
        if (close == std::string::npos) break;
        std::size_t k = 0;
        while (k < name.size() && close + 2 + k < n && lower(code[close + 2 + k]) == name[k]) ++k;
        const std::size_t after = close + 2 + name.size();
        if (k == name.size() &&
            (after >= n || space(code[after]) || code[after] == '/' || code[after] == '>')) {
          break;
        }
        close += 2;
      }
      count(at, close == std::string::npos ? n : close);
      at = close == std::string::npos ? n : close;
    }
  }
  return counts;
}

Counts inPage(std::string_view seller) {
  const std::string code = std::string(seller) + "\r\n</div>\r\n</div>";
  return textCharacters(code, seller.size());
}

[[noreturn]] void fail(const char* what, std::string_view in, std::string_view out) {
  std::fprintf(stderr, "%s\n--- input (%zu bytes)\n%.*s\n--- output (%zu bytes)\n%.*s\n", what,
               in.size(), static_cast<int>(in.size()), in.data(), out.size(),
               static_cast<int>(out.size()), out.data());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  // Sizes from one pixel up, some of them the common ones.
  static constexpr double kCommon[] = {1920, 500, 950, 750, 990, 1200, 0.5, 1};
  const double width = data[0] < 8 ? kCommon[data[0]] : data[0] * 9.5;
  const double height = data[1] < 8 ? kCommon[data[1]] : data[1] * 4.0;
  const std::string_view code(reinterpret_cast<const char*>(data) + 2, size - 2);

  const lumdrift::RepairedCode out = lumdrift::repairSellerCode(code, {width, height});
  if (out.repairs.empty() && out.code != code) fail("changed without a repair", code, out.code);
  if (!out.repairs.empty() && lumdrift::repairSentence(out.repairs).empty()) {
    fail("a repair without a sentence", code, out.code);
  }
  if (lumdrift::repairList(out.repairs).empty() != out.repairs.empty()) {
    fail("the preview's list does not follow the repairs", code, out.code);
  }
  if (inPage(code) != inPage(out.code)) {
    fail("text characters lost or added", code, out.code);
  }
  return 0;
}
