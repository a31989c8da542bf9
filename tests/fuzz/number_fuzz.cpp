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

#include "generator/number_text.h"

namespace {

// The fold table as the rule lists it: row A3 from A1 to FE by its low seven
// bits, then the four forms of row A1.
const std::string& foldTable() {
  static const std::string table = [] {
    std::string t(65536, '\0');
    for (int trail = 0xA1; trail <= 0xFE; ++trail)
      t[0xA300 | trail] = static_cast<char>(trail - 0x80);
    t[0xA1A1] = ' ';
    t[0xA1AB] = '~';
    t[0xA1EE] = '*';
    t[0xA1EF] = '*';
    return t;
  }();
  return table;
}

std::string naiveFold(std::string_view text) {
  const std::string& table = foldTable();
  std::string out;
  std::size_t i = 0;
  while (i < text.size()) {
    const auto b = static_cast<unsigned char>(text[i]);
    if (b < 0x80 || i + 1 == text.size()) {
      out += text[i];
      i += 1;
      continue;
    }
    const auto t = static_cast<unsigned char>(text[i + 1]);
    const char folded = table[b << 8 | t];
    if (folded != '\0') {
      out += folded;
    } else {
      out += text[i];
      out += text[i + 1];
    }
    i += 2;
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
    "0",        "1",        "9",        "5",        ".",        "e",        "E",        "+",
    "-",        " ",        "\t",       "x",        "i",        "n",        "f",        "a",
    "\xA3\xB0", "\xA3\xB1", "\xA3\xB9", "\xA3\xAE", "\xA3\xAD", "\xA3\xAB", "\xA3\xE5", "\xA3\xC5",
    "\xA1\xA1", "\xA1\xAB", "\xA1\xEE", "\xA3\xF8", "\xA3",     "\xB6\xC8", "px",       "\xA3\xA0",
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
