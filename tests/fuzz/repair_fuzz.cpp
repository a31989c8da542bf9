// Fuzz target: the repair of the seller's code. Whatever the code, the repair
// ends, reports cleanly, and keeps every text character: the characters of the
// input's text (outside tags and comments, white space aside) are exactly the
// output's, as many of each, read as the page reads them: with the template's
// end tags after the code. Code it does not repair comes back byte for byte.
//
// Input layout: [0] [1] the module width and height selectors, then the code.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "generator/code_repair.h"
#include "generator/html_scan.h"
#include "generator/repair_report.h"

namespace {

using Counts = std::array<std::size_t, 256>;

Counts textCharacters(std::string_view seller) {
  const std::string code = std::string(seller) + "\r\n</div>\r\n</div>";
  Counts counts{};
  for (const lumdrift::Token& t : lumdrift::scanHtml(code)) {
    if (t.kind != lumdrift::TokenKind::Text) continue;
    for (std::size_t i = t.begin; i < t.end && i < seller.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(code[i]);
      if (c != ' ' && c != '\t' && c != '\n' && c != '\r' && c != '\f') ++counts[c];
    }
  }
  return counts;
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
  if (textCharacters(code) != textCharacters(out.code)) {
    fail("text characters lost or added", code, out.code);
  }
  return 0;
}
