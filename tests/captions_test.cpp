// The compiler turns the UTF-8 sources into GBK; these bytes pin that down.

#include "base/captions.h"

#include <gtest/gtest.h>

#include "base/control_table.h"

namespace lumdrift {
namespace {

std::string hex(std::string_view s) {
  std::string out;
  char buf[4];
  for (unsigned char ch : s) {
    std::snprintf(buf, sizeof buf, "%02X", ch);
    out += buf;
  }
  return out;
}

TEST(Captions, AreGbkBytes) {
  EXPECT_EQ(hex(caption::kSizeTimes), "BFEDA1C1B8DF");  // 宽×高, × is A1C1
  EXPECT_EQ(hex(caption::kGenerateStart), "C9FAB3C9B2A2B8B4D6C6");
  EXPECT_EQ(hex(caption::kFatalCaption), "B4EDCEF3");
  EXPECT_EQ(hex(caption::kInputProfessional.substr(8, 2)), "A3A8");  // full-width (
  EXPECT_EQ(hex(controlRow(ControlId::OffsetEdit).name), "B1E0BCADBFF235");
  EXPECT_EQ(caption::kWaiting.size(), 54u);  // 27 double-byte characters
}

}  // namespace
}  // namespace lumdrift
