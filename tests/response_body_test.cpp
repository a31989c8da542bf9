#include "templates/response_body.h"

#include <gtest/gtest.h>

namespace lumdrift {
namespace {

TEST(ReadChunk, FollowsTheAnnouncedLength) {
  EXPECT_EQ(readChunkSize(std::nullopt), 10240u);
  EXPECT_EQ(readChunkSize("100"), 101u);
  EXPECT_EQ(readChunkSize("1"), 2u);
  EXPECT_EQ(readChunkSize("102398"), 102399u);
  EXPECT_EQ(readChunkSize("102399"), 102400u);
  EXPECT_EQ(readChunkSize("102400"), 102400u);
  EXPECT_EQ(readChunkSize("500000"), 102400u);
  EXPECT_EQ(readChunkSize("0"), 10240u);
  EXPECT_EQ(readChunkSize("-5"), 10240u);
  EXPECT_EQ(readChunkSize("abc"), 10240u);
  EXPECT_EQ(readChunkSize(""), 10240u);
  EXPECT_EQ(readChunkSize(" 100"), 101u);
  EXPECT_EQ(readChunkSize("99999999999999999999999"), 10240u);
}

TEST(ContentLength, ParsesDecimalPrefix) {
  EXPECT_EQ(parseContentLength("4096"), 4096u);
  EXPECT_EQ(parseContentLength("12x"), 12u);
  EXPECT_EQ(parseContentLength("x12"), std::nullopt);
}

TEST(BytesToText, StopsAtFirstZero) {
  EXPECT_EQ(bytesToText(""), "");
  EXPECT_EQ(bytesToText("abc"), "abc");
  EXPECT_EQ(bytesToText(std::string_view("a\0b\0", 4)), "a");
  EXPECT_EQ(bytesToText("\xC4\xE3\xBA\xC3"), "\xC4\xE3\xBA\xC3");
}

}  // namespace
}  // namespace lumdrift
