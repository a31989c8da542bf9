// The repair of the seller's code on 1 MiB of code made to be hard for it,
// each kind alone and mixed: tens of thousands of distinct names left open,
// deep nesting, thousands of hot spots placed by inline position, stray end
// tags. Prints the milliseconds of the repair with its sentence and list (the
// part of a click it costs), best of five, and the output's size.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "repair/code_repair.h"
#include "repair/repair_report.h"

namespace {

constexpr std::size_t kSize = 1 << 20;

std::string distinctUnclosed() {
  std::string s;
  for (int i = 0; s.size() < kSize; ++i) s += "<x" + std::to_string(i) + ">t";
  return s;
}

std::string deepNesting() {
  std::string s;
  while (s.size() < kSize / 2) s += "<div><span>";
  return s;
}

std::string hotSpots() {
  std::string s = "<div style=\"position:relative;width:1920px;height:500px\"><img src=\"b.jpg\">";
  for (int i = 0; s.size() < kSize - 16; ++i) {
    s += "<a href=\"https://shop.example.com/" + std::to_string(i) +
         "\" style=\"position:absolute;left:" + std::to_string(i % 1900) +
         "px;top:" + std::to_string(i % 480) +
         "px;width:20px;height:20px;z-index:" + std::to_string(i % 7) + "\"></a>";
  }
  return s + "</div>";
}

std::string strayEndTags() {
  std::string s;
  while (s.size() < kSize) s += "<p>文字</div></span>";
  return s;
}

void run(const char* name, const std::string& code) {
  double best = 1e300;
  std::size_t out = 0, repairs = 0;
  for (int round = 0; round < 5; ++round) {
    const auto start = std::chrono::steady_clock::now();
    const lumdrift::RepairedCode r = lumdrift::repairSellerCode(code, {1920, 500});
    const std::string told = lumdrift::repairSentence(r.repairs) + lumdrift::repairList(r.repairs);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    best = std::min(best, ms);
    out = r.code.size();
    if (told.empty() != r.repairs.empty()) std::printf("%s: told without a repair\n", name);
    repairs = r.repairs.size();
  }
  std::printf("%-34s %8zu bytes in  %8zu bytes out  %7zu repairs  %8.1f ms\n", name, code.size(),
              out, repairs, best);
}

}  // namespace

int main() {
  run("distinct names left open", distinctUnclosed());
  run("deep nesting, all left open", deepNesting());
  run("hot spots placed by position", hotSpots());
  run("stray end tags", strayEndTags());
  run("all four mixed",
      (distinctUnclosed().substr(0, kSize / 4) + deepNesting().substr(0, kSize / 8) + "</div>" +
       hotSpots().substr(0, kSize / 4) + "</div>" + strayEndTags().substr(0, kSize / 4)));
  return 0;
}
