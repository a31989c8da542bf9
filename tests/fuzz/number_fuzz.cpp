// Differential fuzz target for the width rule: textToNumber against a
// reference that folds full-width forms by a literal table and hands the
// result to the C library's strtod, and formatNumber against snprintf.
//
// Input: byte 0 picks the mode; the rest is the width text. In mode 1 the
// text is built from a small alphabet of number-ish ASCII and full-width forms
// so that long valid prefixes are common; mode 2 also formats the raw bytes
// of a double (NaN, infinities, subnormals included).

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/number_format.h"
#include "generator/number_text.h"

namespace {

// The UTF-8 form of a code point, written out from the encoding's bit layout.
std::string utf8(char32_t cp) {
  std::string out;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
  return out;
}

// The fold table as the rule lists it: the full-width forms by the ASCII
// character each stands for, then the five others.
const std::vector<std::pair<std::string, char>>& foldTable() {
  static const std::vector<std::pair<std::string, char>> table = [] {
    std::vector<std::pair<std::string, char>> t;
    for (char c = '!'; c <= '~'; ++c) t.push_back({utf8(0xFF01 + (c - '!')), c});
    t.push_back({utf8(0xFFE5), '$'});
    t.push_back({utf8(0xFFE3), '~'});
    t.push_back({utf8(0x3000), ' '});
    t.push_back({utf8(0x2606), '*'});
    t.push_back({utf8(0x2605), '*'});
    return t;
  }();
  return table;
}

// Every form in the table starts with a lead byte, which no character ever
// takes along as its continuation: trying the table at every byte is the same
// as trying it at every character.
std::string naiveFold(std::string_view text) {
  bool startsForm[256] = {};
  for (const auto& entry : foldTable())
    startsForm[static_cast<unsigned char>(entry.first[0])] = true;
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    bool folded = false;
    for (const auto& [form, ascii] : foldTable()) {
      if (!startsForm[static_cast<unsigned char>(text[i])]) break;
      if (text.substr(i, form.size()) == form) {
        out += ascii;
        i += form.size();
        folded = true;
        break;
      }
    }
    if (!folded) out += text[i++];
  }
  return out;
}

bool cSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool startsNoCase(std::string_view s, std::string_view word) {
  if (s.size() < word.size()) return false;
  for (std::size_t i = 0; i < word.size(); ++i) {
    if ((s[i] | 0x20) != word[i]) return false;
  }
  return true;
}

// atof on the folded text, with strtod's extras outside the decimal grammar
// cut off: "0x..." reads as the "0" before the x, and inf / nan read as
// nothing at all.
double naiveNumber(std::string_view text) {
  std::string s = naiveFold(text);
  std::size_t p = 0;
  while (p < s.size() && cSpace(s[p])) ++p;
  std::size_t q = p;
  if (q < s.size() && (s[q] == '+' || s[q] == '-')) ++q;
  const std::string_view rest = std::string_view(s).substr(q);
  if (startsNoCase(rest, "0x")) {
    s.resize(q + 1);
  } else if (startsNoCase(rest, "inf") || startsNoCase(rest, "nan")) {
    return 0.0;
  }
  char* end = nullptr;
  const double v = std::strtod(s.c_str(), &end);
  return end == s.c_str() ? 0.0 : v;
}

void dump(const char* label, std::string_view s) {
  std::fprintf(stderr, "%s (%zu):", label, s.size());
  for (unsigned char c : s) std::fprintf(stderr, " %02X", c);
  std::fprintf(stderr, "\n");
}

bool sameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

void checkFormat(double v) {
  char buf[64];
  const int n = std::snprintf(buf, sizeof buf, "%.13g", v);
  const std::string want(buf, static_cast<std::size_t>(n));
  const std::string got = lumdrift::formatNumber(v);
  if (got == want) return;
  std::fprintf(stderr, "formatNumber differs for %a\n", v);
  dump("formatNumber", got);
  dump("snprintf", want);
  std::abort();
}

// Pieces of widths the user might type: ASCII and full-width digits, signs,
// points, exponents, spaces of both widths and a few strtod-only spellings.
constexpr std::string_view kPieces[] = {
    "0",  "1",  "9",      "5",  ".", "e",  "E",        "+",  "-",  " ",      "\t",
    "x",  "i",  "n",      "f",  "a", "０", "１",       "９", "．", "－",     "＋",
    "ｅ", "Ｅ", "\u3000", "～", "☆", "ｘ", "\xEF\xBC", "度", "px", "\uFF00",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0] % 3;
  std::string text;
  if (mode == 1) {
    for (std::size_t i = 1; i < size; ++i) text += kPieces[data[i] % std::size(kPieces)];
  } else {
    text.assign(reinterpret_cast<const char*>(data) + 1, size - 1);
  }

  const std::string folded = lumdrift::foldFullWidth(text);
  const std::string wantFolded = naiveFold(text);
  if (folded != wantFolded) {
    dump("text", text);
    dump("foldFullWidth", folded);
    dump("reference", wantFolded);
    std::abort();
  }

  const double got = lumdrift::textToNumber(text);
  const double want = naiveNumber(text);
  if (!sameBits(got, want)) {
    std::fprintf(stderr, "textToNumber differs: %a vs reference %a\n", got, want);
    dump("text", text);
    std::abort();
  }
  checkFormat(got);

  if (mode == 2 && size >= 9) {
    double raw;
    std::memcpy(&raw, data + 1, sizeof raw);
    checkFormat(raw);
  }
  return 0;
}
