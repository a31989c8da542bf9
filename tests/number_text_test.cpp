#include "generator/number_text.h"

#include <gtest/gtest.h>

#include <cmath>

namespace lumdrift {
namespace {

TEST(FoldFullWidth, MapsRowA3AndTheFourSymbols) {
  // Full-width 1 9 2 0 (A3B1 A3B9 A3B2 A3B0), minus (A3AD), full stop (A3AE).
  EXPECT_EQ(foldFullWidth("\xA3\xB1\xA3\xB9\xA3\xB2\xA3\xB0"), "1920");
  EXPECT_EQ(foldFullWidth("\xA3\xAD\xA3\xB5\xA3\xAE\xA3\xB5"), "-5.5");
  EXPECT_EQ(foldFullWidth("\xA3\xA1\xA3\xFE"), "!~");  // both ends of the row
  EXPECT_EQ(foldFullWidth("\xA1\xA1"
                          "1"),
            " 1");  // ideographic space
  EXPECT_EQ(foldFullWidth("\xA1\xAB\xA1\xEE\xA1\xEF"), "~**");
}

TEST(FoldFullWidth, KeepsEverythingElse) {
  EXPECT_EQ(foldFullWidth("1920px"), "1920px");
  EXPECT_EQ(foldFullWidth("\xBF\xED\xB6\xC8"), "\xBF\xED\xB6\xC8");  // other characters
  EXPECT_EQ(foldFullWidth("\xA3\xA0"), "\xA3\xA0");                  // below the row's range
  EXPECT_EQ(foldFullWidth("\xA1\xA2"), "\xA1\xA2");
  EXPECT_EQ(foldFullWidth("1\xA3"), "1\xA3");  // a lone lead byte at the end
  // The lead byte takes the next byte along, so A3 B1 is not seen at odd offsets.
  EXPECT_EQ(foldFullWidth("\xB0\xA3\xB1"), "\xB0\xA3\xB1");
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
                      NumberCase{"\xA3\xB1\xA3\xB9\xA3\xB2\xA3\xB0", 1920},
                      NumberCase{"\xA1\xA1"
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
