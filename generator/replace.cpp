#include "generator/replace.h"

#include <cstdint>
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

// Sixteen text positions at a time, for the case-folded search.
using Lanes = unsigned char __attribute__((vector_size(16)));
constexpr std::size_t kLanes = sizeof(Lanes);

// Finds candidate matches quickly; character boundaries are checked by the
// caller. Without folding it is a plain find. With folding, a position is
// compared in full only if its first and last bytes fit the needle's, tested
// for sixteen positions at once: a letter byte is compared with its case bit
// forced on, any other byte as it is.
class Finder {
 public:
  Finder(std::string_view what, bool caseSensitive) : what_(what) {
    if (caseSensitive) return;
    for (unsigned char c : what) folded_ = folded_ || isAsciiLetter(c);
    if (!folded_) return;
    const auto first = static_cast<unsigned char>(what.front());
    const auto last = static_cast<unsigned char>(what.back());
    const unsigned char firstBit = isAsciiLetter(first) ? 0x20 : 0;
    const unsigned char lastBit = isAsciiLetter(last) ? 0x20 : 0;
    for (std::size_t i = 0; i < kLanes; ++i) {
      firstBit_[i] = firstBit;
      firstKey_[i] = first | firstBit;
      lastBit_[i] = lastBit;
      lastKey_[i] = last | lastBit;
    }
  }

  // First position >= from where `what` matches, or npos.
  std::size_t next(std::string_view text, std::size_t from) const {
    if (!folded_) return text.find(what_, from);
    const std::size_t n = what_.size();
    if (text.size() < n) return std::string_view::npos;
    const std::size_t last = text.size() - n;  // last possible start
    const char* t = text.data();
    std::size_t p = from;
    for (; p + kLanes <= last + 1; p += kLanes) {
      Lanes head, tail;
      std::memcpy(&head, t + p, sizeof head);
      std::memcpy(&tail, t + p + n - 1, sizeof tail);
      const auto hits = ((head | firstBit_) == firstKey_) & ((tail | lastBit_) == lastKey_);
      std::uint64_t half[2];
      std::memcpy(half, &hits, sizeof half);
      if ((half[0] | half[1]) == 0) continue;
      for (std::size_t i = 0; i < kLanes; ++i) {
        if (hits[i] != 0 && equalsFolded(what_.data(), t + p + i, n)) return p + i;
      }
    }
    for (; p <= last; ++p) {
      if (equalsFolded(what_.data(), t + p, n)) return p;
    }
    return std::string_view::npos;
  }

 private:
  std::string_view what_;
  bool folded_ = false;  // only when the needle has a letter to fold
  Lanes firstBit_{}, firstKey_{}, lastBit_{}, lastKey_{};
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

// Makes room for the result without holding the buffer's old block and a new
// one at the same time.
void makeRoom(std::string& out, std::size_t capacity) {
  if (out.capacity() < capacity) {
    out.clear();
    out.shrink_to_fit();
  }
  out.reserve(capacity);
}

}  // namespace

void ReplaceInto(std::string& out, std::string_view text, std::string_view what,
                 std::string_view with, long long start, std::size_t maxCount, bool caseSensitive) {
  out.clear();
  if (start < 1) start = 1;
  const auto startIndex = static_cast<unsigned long long>(start - 1);
  if (text.empty() || what.empty() || startIndex >= text.size() || maxCount == 0) {
    out.assign(text);
    return;
  }

  const Finder finder(what, caseSensitive);
  Boundaries boundaries(text, startIndex);
  std::size_t found = 0;
  std::size_t pos = startIndex;
  // Calls onMatch for each replaced occurrence, left to right.
  auto scan = [&](auto onMatch) {
    while (found < maxCount) {
      const std::size_t hit = finder.next(text, pos);
      if (hit == std::string_view::npos) break;
      if (!boundaries.startsCharacter(hit)) {
        pos = hit + 1;  // the trail byte's successor starts a character
        continue;
      }
      ++found;
      onMatch(hit);
      pos = hit + what.size();
      boundaries.passed(pos);
    }
  };

  std::size_t copied = 0;
  auto emit = [&](std::size_t m) {
    out.append(text.data() + copied, m - copied);
    out.append(with);
    copied = m + what.size();
  };
  if (with.size() <= what.size()) {
    // The result is no longer than the text: copy while scanning, so a large
    // text is read from memory once.
    makeRoom(out, text.size());
    scan(emit);
  } else {
    // The result grows: find the matches first to allocate it once.
    std::vector<std::size_t> matches;
    scan([&](std::size_t m) { matches.push_back(m); });
    makeRoom(out, text.size() + matches.size() * (with.size() - what.size()));
    for (std::size_t m : matches) emit(m);
  }
  out.append(text.data() + copied, text.size() - copied);
}

std::string Replace(std::string_view text, std::string_view what, std::string_view with,
                    long long start, std::size_t maxCount, bool caseSensitive) {
  std::string out;
  ReplaceInto(out, text, what, with, start, maxCount, caseSensitive);
  return out;
}

}  // namespace lumdrift
