// Differential fuzz target: lumdrift::Replace against a reference that walks
// the text byte by byte exactly as the replacement rule is worded, with no
// search shortcuts. Any difference in the result aborts with both outputs.
//
// Input layout (all of it optional; missing bytes read as 0):
//   [0] flags: bit 0 case-sensitive, bit 1 also try the defaulted overloads,
//       bits 2-3 needle source, bit 4 map the text onto a small alphabet of
//       UTF-8 lead, continuation and stray bytes so that matches and
//       character-boundary ambiguities are frequent
//   [1] start selector   [2] limit selector   [3] needle length
//   [4] needle offset / pick   [5] replacement length
//   then the body: text, [explicit needle], replacement at the end.

#include <climits>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "generator/replace.h"

namespace {

// The reference. Kept literal on purpose: a loop over bytes, one comparison
// per position, one character copied per miss.
std::string naiveReplace(std::string_view text, std::string_view what, std::string_view with,
                         long long start, std::size_t maxCount, bool caseSensitive) {
  if (start < 1) start = 1;
  const unsigned long long startIndex = static_cast<unsigned long long>(start) - 1;
  if (text.empty() || what.empty() || startIndex >= text.size() || maxCount == 0) {
    return std::string(text);
  }
  std::string out;
  std::size_t i = 0;
  for (; i < startIndex; ++i) out += text[i];

  auto lower = [](unsigned char c) -> unsigned char {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
  };
  std::size_t count = 0;
  while (text.size() - i >= what.size()) {
    bool match = true;
    for (std::size_t k = 0; k < what.size(); ++k) {
      const auto a = static_cast<unsigned char>(text[i + k]);
      const auto b = static_cast<unsigned char>(what[k]);
      const bool same = caseSensitive ? a == b : lower(a) == lower(b);
      if (!same) {
        match = false;
        break;
      }
    }
    if (match) {
      out += with;
      i += what.size();
      ++count;
      if (count == maxCount) break;
      continue;
    }
    // One character: its lead byte announces its length by its leading one
    // bits (none: ASCII; one, or more than four: a stray byte alone), and
    // only the continuation bytes (10xxxxxx) actually there go with it.
    int ones = 0;
    for (unsigned char b = static_cast<unsigned char>(text[i]); b & 0x80; b <<= 1) ++ones;
    const std::size_t length = (ones >= 2 && ones <= 4) ? static_cast<std::size_t>(ones) : 1;
    out += text[i];
    ++i;
    for (std::size_t k = 1; k < length && i < text.size(); ++k) {
      if ((static_cast<unsigned char>(text[i]) >> 6) != 2) break;
      out += text[i];
      ++i;
    }
  }
  for (; i < text.size(); ++i) out += text[i];
  return out;
}

struct Reader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t pos = 0;
  std::uint8_t byte() { return pos < size ? data[pos++] : 0; }
};

// Bytes that keep the scan busy: letters of both cases, markup, digits of the
// marker, the bytes of the width placeholder 宽度 (E5 AE BD E5 BA A6), a
// four-byte lead and bytes no UTF-8 text holds.
constexpr unsigned char kAlphabet[16] = {'a',  'A',  'C',  'c',  '<',  ' ',  '3',  '\0',
                                         0xE5, 0xAE, 0xBD, 0xBA, 0xA6, 0xF0, 0xFF, 0xC3};

constexpr std::string_view kNeedles[] = {
    "宽度",                // width placeholder
    "高度",                // height placeholder
    "偏移",                // offset placeholder
    "距顶",                // top spacing placeholder
    "Corvandel386412957",  // code marker
    "386412957",           // preview marker
    "\xBD\xE5",            // the seam between the two characters of 宽度
    "\xAE\xBD",
    "\xE5",
    "\xBA",
    "\xFF",
    "aA",
    "Cc<",
    "\xF0",
    "a",
    "<",
};

long long pickStart(std::uint8_t sel, std::size_t textSize) {
  switch (sel) {
    case 0xFF: return LLONG_MIN;
    case 0xFE: return LLONG_MAX;
    case 0xFD: return -1000;
    case 0xFC: return static_cast<long long>(textSize);
    case 0xFB: return static_cast<long long>(textSize) + 1;
    default: return static_cast<long long>(sel % (textSize + 4)) - 1;  // -1 .. size + 2
  }
}

std::size_t pickLimit(std::uint8_t sel) {
  if (sel >= 0x80) return lumdrift::kNoLimit;
  if (sel == 0x7F) return lumdrift::kNoLimit - 1;
  return sel % 8;
}

void dump(const char* label, std::string_view s) {
  std::fprintf(stderr, "%s (%zu):", label, s.size());
  for (unsigned char c : s) std::fprintf(stderr, " %02X", c);
  std::fprintf(stderr, "\n");
}

void check(std::string_view text, std::string_view what, std::string_view with, long long start,
           std::size_t maxCount, bool caseSensitive, const std::string& got) {
  const std::string want = naiveReplace(text, what, with, start, maxCount, caseSensitive);
  if (got == want) return;
  std::fprintf(stderr, "Replace differs: start=%lld maxCount=%zu caseSensitive=%d\n", start,
               maxCount, caseSensitive ? 1 : 0);
  dump("text", text);
  dump("what", what);
  dump("with", with);
  dump("Replace", got);
  dump("reference", want);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Reader in{data, size};
  const std::uint8_t flags = in.byte();
  const std::uint8_t startSel = in.byte();
  const std::uint8_t limitSel = in.byte();
  const std::size_t needleLen = in.byte() % 24;
  const std::uint8_t needlePick = in.byte();
  const std::size_t withLen = in.byte() % 32;

  const bool caseSensitive = flags & 1;
  const bool tryDefaults = flags & 2;
  const int needleSource = (flags >> 2) & 3;
  const bool mapText = flags & 16;

  std::string body(reinterpret_cast<const char*>(data) + in.pos, size - in.pos);
  const std::size_t withTake = withLen < body.size() ? withLen : body.size();
  const std::string with = body.substr(body.size() - withTake);
  body.resize(body.size() - withTake);

  std::string what;
  if (needleSource == 0) {
    const std::size_t take = needleLen < body.size() ? needleLen : body.size();
    what = body.substr(body.size() - take);
    body.resize(body.size() - take);
  }
  std::string text = body;
  if (mapText) {
    for (char& c : text) c = static_cast<char>(kAlphabet[static_cast<unsigned char>(c) & 15]);
  }
  if (needleSource == 1 || needleSource == 3) {
    if (!text.empty()) what = text.substr(needlePick % text.size(), needleLen);
    if (needleSource == 3) {
      for (char& c : what) {
        if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') c = static_cast<char>(c ^ 0x20);
      }
    }
  } else if (needleSource == 2) {
    what = kNeedles[needlePick % std::size(kNeedles)];
  }

  const long long start = pickStart(startSel, text.size());
  const std::size_t maxCount = pickLimit(limitSel);
  check(text, what, with, start, maxCount, caseSensitive,
        lumdrift::Replace(text, what, with, start, maxCount, caseSensitive));
  if (tryDefaults) {
    check(text, what, {}, 1, lumdrift::kNoLimit, false, lumdrift::Replace(text, what));
    check(text, what, with, 1, lumdrift::kNoLimit, false, lumdrift::Replace(text, what, with));
  }
  return 0;
}
