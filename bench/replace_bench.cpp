// Throughput of Replace and of the whole replacement chain on HTML with
// Chinese text, each beside a plain std::string_view::find replacement of the
// same text, and the peak heap the chain needs relative to its input.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "generator/generate.h"
#include "generator/markers.h"
#include "generator/replace.h"

// Live heap bytes of the whole process and their high-water mark, so that one
// applyChain call can be measured from outside.
namespace {
std::atomic<std::size_t> g_live{0};
std::atomic<std::size_t> g_peak{0};

void* counted(std::size_t n) {
  void* p = std::malloc(n == 0 ? 1 : n);
  if (p == nullptr) throw std::bad_alloc();
  const std::size_t now =
      g_live.fetch_add(malloc_usable_size(p), std::memory_order_relaxed) + malloc_usable_size(p);
  std::size_t peak = g_peak.load(std::memory_order_relaxed);
  while (now > peak && !g_peak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
  }
  return p;
}

void uncounted(void* p) {
  if (p == nullptr) return;
  g_live.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
  std::free(p);
}
}  // namespace

void* operator new(std::size_t n) {
  return counted(n);
}
void* operator new[](std::size_t n) {
  return counted(n);
}
void operator delete(void* p) noexcept {
  uncounted(p);
}
void operator delete[](void* p) noexcept {
  uncounted(p);
}
void operator delete(void* p, std::size_t) noexcept {
  uncounted(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  uncounted(p);
}

namespace {

constexpr std::string_view kWidth = "宽度";
constexpr std::string_view kHeight = "高度";
constexpr std::string_view kOffset = "偏移";
constexpr std::string_view kTop = "距顶";

// A small deterministic generator so every run measures the same text.
struct Lcg {
  std::uint64_t s;
  std::uint32_t next() {
    s = s * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<std::uint32_t>(s >> 33);
  }
  std::size_t below(std::size_t n) { return next() % n; }
};

constexpr std::string_view kPhrases[] = {
    "新品上市",           "全场包邮",
    "限时折扣，买二送一", "店铺首页",
    "宝贝分类",           "收藏本店有礼",
    "联系客服",           "春季新款连衣裙",
    "纯棉透气舒适",       "品质保证，七天无理由退换",
    "热销爆款",           "立即购买",
    "查看详情",           "优惠券领取",
    "满三百减五十",       "正品行货，假一赔十",
    "官方旗舰店",         "今日特价",
    "会员专享",           "关注我们",
};

void appendPhrases(std::string& out, Lcg& rng, int n) {
  for (int i = 0; i < n; ++i) {
    if (i) out += ' ';
    out += kPhrases[rng.below(std::size(kPhrases))];
  }
}

// One hot-spot block of decoration code: mostly ASCII tags and attributes
// with runs of Chinese text, ending in a newline.
void appendBlock(std::string& out, Lcg& rng) {
  char buf[512];
  std::snprintf(buf, sizeof buf,
                "<div class=\"hot-area item-%u\" style=\"position:absolute;left:%upx;top:%upx;"
                "width:%upx;height:%upx;z-index:%u;\">\n  <a href=\"https://detail.example.com/"
                "item.htm?id=%u%u&amp;spm=a1z10.%u\" target=\"_blank\" title=\"",
                rng.next() % 97, rng.next() % 1920, rng.next() % 3000, 50 + rng.next() % 400,
                20 + rng.next() % 300, rng.next() % 9, rng.next(), rng.next() % 1000,
                rng.next() % 100);
  out += buf;
  appendPhrases(out, rng, 1);
  std::snprintf(buf, sizeof buf,
                "\"><img src=\"https://img.example.com/imgextra/i%u/%u/O1CN01%08x_!!%u.jpg\" "
                "alt=\"",
                rng.next() % 4, rng.next(), rng.next(), rng.next() % 100000);
  out += buf;
  appendPhrases(out, rng, 1);
  out += "\" border=\"0\"/></a>\n  <p class=\"desc\" style=\"color:#333;font-size:14px;\">";
  appendPhrases(out, rng, 1 + static_cast<int>(rng.below(6)));
  out += "</p>\n</div>\n";
}

std::string html(std::size_t bytes, std::uint64_t seed) {
  Lcg rng{seed};
  std::string out;
  out.reserve(bytes + 1024);
  while (out.size() < bytes) appendBlock(out, rng);
  // Cut at a block's end so the text stays whole characters.
  out.resize(out.rfind('\n', bytes) + 1);
  return out;
}

// A template of about `bytes`: the five placeholders a few times each, more
// than the chain's limits, scattered between blocks; the code marker once.
std::string makeTemplate(std::size_t bytes) {
  std::vector<std::string> inserts;
  auto add = [&](int n, const std::string& s) { inserts.insert(inserts.end(), n, s); };
  add(4, "<div class=\"fullscreen\" style=\"width:" + std::string(kWidth) + "px;\">\n");
  add(6, "<div style=\"height:" + std::string(kHeight) + "px;overflow:hidden;\">\n");
  add(3, "<div style=\"margin-left:" + std::string(kOffset) + "px;\">\n");
  add(2, "<div style=\"margin-top:" + std::string(kTop) + "px;\">\n");
  add(1, "<!-- code -->" + std::string(lumdrift::kCodeMarker) + "\n");
  Lcg rng{42};
  for (std::size_t i = inserts.size(); i > 1; --i) std::swap(inserts[i - 1], inserts[rng.below(i)]);

  std::size_t extra = 0;
  for (const auto& s : inserts) extra += s.size();
  const std::string body = html(bytes - extra, 7);
  std::string out;
  out.reserve(bytes);
  std::size_t copied = 0;
  for (std::size_t i = 0; i < inserts.size(); ++i) {
    // Slot i lies in the i-th stretch of the body, jittered, at a line start.
    const std::size_t stretch = body.size() / inserts.size();
    std::size_t at = i * stretch + rng.below(stretch);
    at = std::max(copied, body.find('\n', at) + 1);
    if (at > body.size()) at = body.size();
    out.append(body, copied, at - copied);
    out += inserts[i];
    copied = at;
  }
  out.append(body, copied);

  // The figures are only worth something if the placeholders are all there.
  auto count = [&](std::string_view what) {
    std::size_t n = 0;
    for (std::size_t p = out.find(what); p != std::string::npos; p = out.find(what, p + 1)) ++n;
    return n;
  };
  if (count(kWidth) < 4 || count(kHeight) < 6 || count(kOffset) < 3 || count(kTop) < 2 ||
      count(lumdrift::kCodeMarker) != 1) {
    std::fprintf(stderr, "template of %zu bytes lacks placeholders\n", bytes);
    std::abort();
  }
  return out;
}

const std::string& templateOf(std::size_t bytes) {
  static std::map<std::size_t, std::string> cache;
  auto it = cache.find(bytes);
  if (it == cache.end()) it = cache.emplace(bytes, makeTemplate(bytes)).first;
  return it->second;
}

const std::string& userCode() {
  static const std::string code = html(4096, 99);
  return code;
}

// The baseline: replace left to right with string_view::find, case-sensitive,
// the same start-at-one and limit rules, no notion of characters.
std::string findReplace(std::string_view text, std::string_view what, std::string_view with,
                        std::size_t maxCount) {
  std::string out;
  // Room for one longer replacement, as the chain's code insertion needs.
  out.reserve(text.size() + with.size());
  std::size_t pos = 0;
  for (std::size_t n = 0; n < maxCount; ++n) {
    const std::size_t hit = text.find(what, pos);
    if (hit == std::string_view::npos) break;
    out.append(text.substr(pos, hit - pos));
    out.append(with);
    pos = hit + what.size();
  }
  out.append(text.substr(pos));
  return out;
}

std::string findChain(std::string_view codeTemplate, const lumdrift::ChainValues& v) {
  std::string text(codeTemplate);
  text = findReplace(text, kWidth, v.width, 3);
  text = findReplace(text, kHeight, v.height, 5);
  text = findReplace(text, kOffset, v.offset, 2);
  text = findReplace(text, kTop, v.topSpacing, 1);
  text = findReplace(text, lumdrift::kCodeMarker, v.code, 1);
  return text;
}

lumdrift::ChainValues values() {
  return {"1920", "600", "-960", "0", userCode()};
}

void setBytes(benchmark::State& state, std::size_t bytes) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(bytes));
}

// Every occurrence of a needle: the scan runs over the whole text.
// What any replacement that returns a new text pays at least: one copy into
// freshly allocated memory.
void BM_CopyFloor(benchmark::State& state) {
  const std::string& text = templateOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(std::string(text));
  setBytes(state, text.size());
}

void BM_Replace_Width(benchmark::State& state) {
  const std::string& text = templateOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(lumdrift::Replace(text, kWidth, "1920", 1, lumdrift::kNoLimit, false));
  }
  setBytes(state, text.size());
}

void BM_Baseline_Width(benchmark::State& state) {
  const std::string& text = templateOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(findReplace(text, kWidth, "1920", lumdrift::kNoLimit));
  }
  setBytes(state, text.size());
}

void BM_Replace_Marker(benchmark::State& state) {
  const std::string& text = templateOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        lumdrift::Replace(text, lumdrift::kCodeMarker, userCode(), 1, lumdrift::kNoLimit, false));
  }
  setBytes(state, text.size());
}

void BM_Baseline_Marker(benchmark::State& state) {
  const std::string& text = templateOf(static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        findReplace(text, lumdrift::kCodeMarker, userCode(), lumdrift::kNoLimit));
  }
  setBytes(state, text.size());
}

void BM_Chain(benchmark::State& state) {
  const std::string& text = templateOf(static_cast<std::size_t>(state.range(0)));
  const lumdrift::ChainValues v = values();
  for (auto _ : state) benchmark::DoNotOptimize(lumdrift::applyChain(text, v));
  setBytes(state, text.size());

  // One more call outside the timing, measured by the counting allocator:
  // the heap it holds at its peak beyond what was live before, over the input.
  const std::size_t before = g_live.load();
  g_peak.store(before);
  {
    const std::string result = lumdrift::applyChain(text, v);
    benchmark::DoNotOptimize(result.data());
  }
  const double peak = static_cast<double>(g_peak.load() - before);
  state.counters["peak_heap_over_input"] = peak / static_cast<double>(text.size());
  state.counters["input_bytes"] = static_cast<double>(text.size());
}

void BM_Baseline_Chain(benchmark::State& state) {
  const std::string& text = templateOf(static_cast<std::size_t>(state.range(0)));
  const lumdrift::ChainValues v = values();
  for (auto _ : state) benchmark::DoNotOptimize(findChain(text, v));
  setBytes(state, text.size());
}

#define SIZES Arg(64 << 10)->Arg(1 << 20)->Arg(64 << 20)->Unit(benchmark::kMicrosecond)
BENCHMARK(BM_CopyFloor)->SIZES;
BENCHMARK(BM_Replace_Width)->SIZES;
BENCHMARK(BM_Baseline_Width)->SIZES;
BENCHMARK(BM_Replace_Marker)->SIZES;
BENCHMARK(BM_Baseline_Marker)->SIZES;
BENCHMARK(BM_Chain)->SIZES;
BENCHMARK(BM_Baseline_Chain)->SIZES;

}  // namespace

BENCHMARK_MAIN();
