#include "generator/replace.h"

#include <cstring>
#include <vector>

namespace lumdrift {
namespace {

constexpr bool isLead(unsigned char b) {
  return b >= 0x80;
}
constexpr bool isAsciiLetter(unsigned char b) {
  return (b | 0x20) >= 'a' && (b | 0x20) <= 'z';
}

bool equalsFolded(const char* a, const char* b, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x == y) continue;
    if (!isAsciiLetter(x) || (x | 0x20) != (y | 0x20)) return false;
  }
  return true;
}

// Finds candidate matches quickly: memchr on one byte of the needle that no
// case folding can change, then a full comparison. Character boundaries are
// checked by the caller.
class Finder {
 public:
  Finder(std::string_view what, bool caseSensitive) : what_(what) {
    for (std::size_t i = 0; i < what.size(); ++i) {
      if (isAsciiLetter(static_cast<unsigned char>(what[i]))) {
        folded_ = !caseSensitive;
      } else if (allLetters_) {
        allLetters_ = false;
        anchor_ = i;
      }
    }
  }

  // First position >= from where `what` matches, or npos.
  std::size_t next(std::string_view text, std::size_t from) const {
    if (!folded_) return text.find(what_, from);
    const std::size_t n = what_.size();
    if (text.size() < n) return std::string_view::npos;
    const std::size_t last = text.size() - n;  // last possible start
    if (allLetters_) {
      for (std::size_t p = from; p <= last; ++p) {
        if (equalsFolded(what_.data(), text.data() + p, n)) return p;
      }
      return std::string_view::npos;
    }
    const char key = what_[anchor_];
    std::size_t p = from + anchor_;
    while (p <= last + anchor_) {
      const void* hit = std::memchr(text.data() + p, key, last + anchor_ + 1 - p);
      if (hit == nullptr) return std::string_view::npos;
      p = static_cast<const char*>(hit) - text.data();
      const std::size_t s = p - anchor_;
      if (equalsFolded(what_.data(), text.data() + s, n)) return s;
      ++p;
    }
    return std::string_view::npos;
  }

 private:
  std::string_view what_;
  bool folded_ = false;  // only when the needle has a letter to fold
  bool allLetters_ = true;
  std::size_t anchor_ = 0;
};

// Tracks the character boundaries of a GBK text lazily: a position right after
// a byte below 0x80 is always a boundary (the byte is a character or ends
// one), so only the run of lead-range bytes just before a position decides.
class Boundaries {
 public:
  explicit Boundaries(std::string_view text, std::size_t knownBoundary)
      : text_(text), known_(knownBoundary) {}

  // Whether pos starts a character; pos >= the last known boundary.
  bool startsCharacter(std::size_t pos) {
    std::size_t run = 0;
    std::size_t q = pos;
    while (q > known_ && isLead(static_cast<unsigned char>(text_[q - 1]))) {
      --q;
      ++run;
    }
    const bool boundary = run % 2 == 0;
    // Either pos or the byte after it is a boundary; remember it so that later
    // look-backs never cross this point again.
    known_ = boundary ? pos : pos + 1;
    return boundary;
  }

  void passed(std::size_t boundary) { known_ = boundary; }

 private:
  std::string_view text_;
  std::size_t known_;
};

}  // namespace

std::string Replace(std::string_view text, std::string_view what, std::string_view with,
                    long long start, std::size_t maxCount, bool caseSensitive) {
  if (start < 1) start = 1;
  const auto startIndex = static_cast<unsigned long long>(start - 1);
  if (text.empty() || what.empty() || startIndex >= text.size() || maxCount == 0) {
    return std::string(text);
  }

  const Finder finder(what, caseSensitive);
  Boundaries boundaries(text, startIndex);
  std::vector<std::size_t> matches;
  std::size_t pos = startIndex;
  while (matches.size() < maxCount) {
    const std::size_t hit = finder.next(text, pos);
    if (hit == std::string_view::npos) break;
    if (!boundaries.startsCharacter(hit)) {
      pos = hit + 1;  // the trail byte's successor starts a character
      continue;
    }
    matches.push_back(hit);
    pos = hit + what.size();
    boundaries.passed(pos);
  }

  std::string out;
  out.reserve(text.size() - matches.size() * what.size() + matches.size() * with.size());
  std::size_t copied = 0;
  for (std::size_t m : matches) {
    out.append(text.data() + copied, m - copied);
    out.append(with);
    copied = m + what.size();
  }
  out.append(text.data() + copied, text.size() - copied);
  return out;
}

}  // namespace lumdrift
