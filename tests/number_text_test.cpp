#include "generator/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

#include "base/number_format.h"

namespace lumdrift {
namespace {

TEST(FoldFullWidth, MapsTheFullWidthFormsAndTheFourSymbols) {
  EXPECT_EQ(foldFullWidth("１９２０"), "1920");
  EXPECT_EQ(foldFullWidth("－５．５"), "-5.5");
  EXPECT_EQ(foldFullWidth("！～"), "!~");  // both ends of U+FF01 to U+FF5E
  EXPECT_EQ(foldFullWidth("￥￣"), "$~");  // where GBK's full-width row puts them
  EXPECT_EQ(foldFullWidth("\u3000"
                          "1"),
            " 1");  // ideographic space
  EXPECT_EQ(foldFullWidth("☆★"), "**");
}

TEST(FoldFullWidth, KeepsEverythingElse) {
  EXPECT_EQ(foldFullWidth("1920px"), "1920px");
  EXPECT_EQ(foldFullWidth("宽度"), "宽度");
  EXPECT_EQ(foldFullWidth("\uFF00\uFF5F\uFFE4"), "\uFF00\uFF5F\uFFE4");  // beside the ranges
  EXPECT_EQ(foldFullWidth("👉１"), "👉1");
  // Broken UTF-8 passes through and never folds with the byte after it.
  EXPECT_EQ(foldFullWidth("1\xEF\xBC"), "1\xEF\xBC");
  EXPECT_EQ(foldFullWidth("\xEF\xBC"
                          "A"),
            "\xEF\xBC"
            "A");
  EXPECT_EQ(foldFullWidth("\xF3\x80\x80"
                          "1"),
            "\xF3\x80\x80"
            "1");
  // Longer forms than UTF-8 writes for ★ and ！ are no characters at all.
  EXPECT_EQ(foldFullWidth("\xF0\x82\x98\x85\xF0\x8F\xBC\x81"), "\xF0\x82\x98\x85\xF0\x8F\xBC\x81");
}

struct NumberCase {
  std::string text;
  double value;
};

class TextToNumber : public ::testing::TestWithParam<NumberCase> {};

TEST_P(TextToNumber, ReadsLikeAtof) {
  const double got = textToNumber(GetParam().text);
  EXPECT_EQ(got, GetParam().value) << "text: " << GetParam().text;
  EXPECT_EQ(std::signbit(got), std::signbit(GetParam().value)) << "text: " << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextToNumber,
    ::testing::Values(NumberCase{"1920", 1920}, NumberCase{"1920px", 1920}, NumberCase{"", 0},
                      NumberCase{"abc", 0}, NumberCase{"px1920", 0}, NumberCase{"  \t 12", 12},
                      NumberCase{"+7", 7}, NumberCase{"-7", -7}, NumberCase{"-", 0},
                      NumberCase{"-x", 0}, NumberCase{"1.5", 1.5}, NumberCase{".5", 0.5},
                      NumberCase{"5.", 5}, NumberCase{".", 0}, NumberCase{"1e3", 1000},
                      NumberCase{"1E+2x", 100}, NumberCase{"1e", 1}, NumberCase{"1e-", 1},
                      NumberCase{"2e-1", 0.2}, NumberCase{"0x10", 0}, NumberCase{"inf", 0},
                      NumberCase{"nan", 0}, NumberCase{"1 2", 1}, NumberCase{"1,000", 1},
                      NumberCase{"１９２０", 1920},
                      NumberCase{"\u3000"
                                 "800",
                                 800},
                      NumberCase{"1e400", HUGE_VAL}, NumberCase{"-1e400", -HUGE_VAL},
                      NumberCase{"1e-400", 0}));

TEST(FormatNumber, FollowsPercentPoint13g) {
  EXPECT_EQ(formatNumber(-960), "-960");
  EXPECT_EQ(formatNumber(-0.0), "-0");
  EXPECT_EQ(formatNumber(0.0), "0");
  EXPECT_EQ(formatNumber(-960.5), "-960.5");
  EXPECT_EQ(formatNumber(1.0 / 3), "0.3333333333333");
  EXPECT_EQ(formatNumber(1e13), "1e+13");
  EXPECT_EQ(formatNumber(123456789012.5), "123456789012.5");
  EXPECT_EQ(formatNumber(1e-5), "1e-05");
  EXPECT_EQ(formatNumber(HUGE_VAL), "inf");
  EXPECT_EQ(formatNumber(-HUGE_VAL), "-inf");
}

}  // namespace
}  // namespace lumdrift
