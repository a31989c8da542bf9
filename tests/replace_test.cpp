#include "generator/replace.h"

#include <gtest/gtest.h>

namespace lumdrift {
namespace {

struct Case {
  const char* name;
  std::string text, what, with;
  long long start;
  std::size_t max;
  bool caseSensitive;
  std::string expected;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

class ReplaceTable : public ::testing::TestWithParam<Case> {};

TEST_P(ReplaceTable, GivesExpectedText) {
  const Case& c = GetParam();
  EXPECT_EQ(Replace(c.text, c.what, c.with, c.start, c.max, c.caseSensitive), c.expected);
}

// The placeholder for the width.
const std::string kWidthWord = "宽度";

INSTANTIATE_TEST_SUITE_P(
    Limits, ReplaceTable,
    ::testing::Values(Case{"no_limit", "a-a-a-a", "a", "b", 1, kNoLimit, true, "b-b-b-b"},
                      Case{"limit_two", "a-a-a-a", "a", "b", 1, 2, true, "b-b-a-a"},
                      Case{"limit_zero_is_none", "a-a", "a", "b", 1, 0, true, "a-a"},
                      Case{"limit_above_count", "a-a", "a", "b", 1, 9, true, "b-b"},
                      Case{"empty_replacement_removes", "xay", "a", "", 1, kNoLimit, true, "xy"},
                      Case{"longer_replacement", "<a>", "a", "abc", 1, kNoLimit, true, "<abc>"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    StartPositions, ReplaceTable,
    ::testing::Values(
        Case{"start_one", "aaa", "a", "b", 1, kNoLimit, true, "bbb"},
        Case{"start_two_keeps_prefix", "aaa", "a", "b", 2, kNoLimit, true, "abb"},
        Case{"start_zero_counts_as_one", "aaa", "a", "b", 0, kNoLimit, true, "bbb"},
        Case{"start_negative_counts_as_one", "aaa", "a", "b", -7, kNoLimit, true, "bbb"},
        Case{"start_at_last_byte", "aaa", "a", "b", 3, kNoLimit, true, "aab"},
        Case{"start_past_end", "aaa", "a", "b", 4, kNoLimit, true, "aaa"},
        Case{"start_far_past_end", "aaa", "a", "b", 1LL << 40, kNoLimit, true, "aaa"},
        Case{"match_straddling_start_is_missed", "abab", "ab", "X", 2, kNoLimit, true, "abX"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    Degenerate, ReplaceTable,
    ::testing::Values(Case{"empty_text", "", "a", "b", 1, kNoLimit, true, ""},
                      Case{"empty_needle", "abc", "", "b", 1, kNoLimit, true, "abc"},
                      Case{"needle_longer_than_text", "ab", "abc", "x", 1, kNoLimit, true, "ab"},
                      Case{"whole_text", "abc", "abc", "", 1, kNoLimit, true, ""},
                      Case{"overlapping_matches_left_to_right", "aaaa", "aa", "b", 1, kNoLimit,
                           true, "bb"},
                      Case{"odd_overlap", "aaa", "aa", "b", 1, kNoLimit, true, "ba"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    LetterCase, ReplaceTable,
    ::testing::Values(
        Case{"insensitive_matches_upper", "CorvanDEL1", "corvandel1", "x", 1, kNoLimit, false, "x"},
        Case{"sensitive_misses_upper", "CorvanDEL1", "corvandel1", "x", 1, kNoLimit, true,
             "CorvanDEL1"},
        Case{"insensitive_letters_only_needle", "xABx", "ab", "-", 1, kNoLimit, false, "x-x"},
        Case{"insensitive_mixed_anchor", "1a-B1A-b", "a-b", "+", 1, kNoLimit, false, "1+1+"},
        Case{"digits_are_not_folded", "a1", "A!", "x", 1, kNoLimit, false, "a1"},
        // '@' (0x40) and '`' (0x60) differ from letters only in the case bit.
        Case{"case_bit_of_non_letters_matters", "@[`{", "`{", "x", 1, kNoLimit, false, "@[x"},
        Case{"high_bytes_are_not_folded", "\xC1", "\xE1", "x", 1, kNoLimit, false, "\xC1"}),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(
    MultiByte, ReplaceTable,
    ::testing::Values(
        Case{"utf8_word_replaced", "w:" + kWidthWord + ";", kWidthWord, "1920", 1, kNoLimit, false,
             "w:1920;"},
        // 宽度 is E5 AE BD E5 BA A6: neither the inside of a character nor the
        // seam between two is a place a match may start.
        Case{"no_match_inside_a_character", kWidthWord, "\xAE\xBD", "x", 1, kNoLimit, false,
             kWidthWord},
        Case{"no_match_across_the_seam", kWidthWord, "\xBD\xE5", "x", 1, kNoLimit, false,
             kWidthWord},
        Case{"four_byte_character_stepped_over", "👉a", "a", "b", 1, kNoLimit, true, "👉b"},
        Case{"needle_after_four_byte_character", "a👉👉a", "👉a", "-", 1, kNoLimit, true, "a👉-"},
        // Broken UTF-8: a lead byte without its continuation bytes, and stray
        // continuation bytes, are characters of their own; they never take
        // an ASCII byte along.
        Case{"cut_sequence_keeps_ascii",
             "\xE5"
             "ab",
             "a", "x", 1, kNoLimit, true,
             "\xE5"
             "xb"},
        Case{"stray_continuation_byte",
             "\x80"
             "a",
             "a", "b", 1, kNoLimit, true,
             "\x80"
             "b"},
        Case{"trailing_lead_byte_copied_alone", "ab\xE5", "b", "x", 1, kNoLimit, true, "ax\xE5"},
        Case{"start_inside_character_counts_as_boundary", "宽a", "a", "b", 2, kNoLimit, true,
             "宽b"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Replace, InsertedTextIsNotScannedAgain) {
  EXPECT_EQ(Replace("ab", "a", "aa"), "aab");
  EXPECT_EQ(Replace("xx", "x", "xx", 1, kNoLimit, true), "xxxx");
  // A replacement that builds a new occurrence with what follows it.
  EXPECT_EQ(Replace("ab", "a", "a", 1, kNoLimit), "ab");
  EXPECT_EQ(Replace("aab", "ab", "a"), "aa");
}

TEST(Replace, DefaultsAreStartOneNoLimitCaseInsensitive) {
  EXPECT_EQ(Replace("AaA", "a"), "");
  EXPECT_EQ(Replace("AaA", "a", "b"), "bbb");
}

TEST(Replace, LeavesInputsUntouchedAndWorksOnLargeText) {
  std::string text(1 << 20, 'x');
  text.replace(text.size() / 2, kWidthWord.size(), kWidthWord);
  const std::string copy = text;
  const std::string out = Replace(text, kWidthWord, "1920", 1, 3, false);
  EXPECT_EQ(text, copy);
  ASSERT_EQ(out.size(), text.size() - 2);
  EXPECT_EQ(out.substr(text.size() / 2, 4), "1920");
}

}  // namespace
}  // namespace lumdrift
