#include "generator/generate.h"

#include <gtest/gtest.h>

#include "base/captions.h"
#include "generator/markers.h"
#include "tests/harness.h"

namespace lumdrift::test {
namespace {

using enum ControlId;
namespace c = caption;

const std::string kMarker(kCodeMarker);

std::string repeat(const std::string& word, int n, const std::string& sep = "|") {
  std::string out;
  for (int i = 0; i < n; ++i) out += word + sep;
  return out;
}

TEST(Chain, LimitsPerPlaceholder) {
  const std::string tpl = repeat("宽度", 4) + repeat("高度", 6) + repeat("偏移", 3) +
                          repeat("距顶", 2) + repeat(kMarker, 2);
  const std::string out = applyChain(tpl, {"W", "H", "O", "T", "C"});
  EXPECT_EQ(out, repeat("W", 3) + "宽度|" + repeat("H", 5) + "高度|" + repeat("O", 2) +
                     "偏移|T|距顶|C|" + kMarker + "|");
}

TEST(Chain, ValuesAreInsertedAsTheyStand) {
  EXPECT_EQ(
      applyChain("<b style=\"width:宽度px\">" + kMarker + "</b>", {" 1920 px&", "", "", "", ""}),
      "<b style=\"width: 1920 px&px\"></b>");
}

TEST(Chain, LaterStepsSearchEarlierInsertions) {
  // A width holding the height's word has it replaced in the next step.
  EXPECT_EQ(applyChain("宽度", {"1高度", "500", "", "", ""}), "1500");
  // The code is inserted last: its words stay as typed.
  EXPECT_EQ(applyChain(kMarker, {"1", "2", "3", "4", "宽度 高度 偏移 距顶"}),
            "宽度 高度 偏移 距顶");
  // An inserted value takes one of the later step's replacements.
  EXPECT_EQ(applyChain("宽度|高度|高度|高度|高度|高度", {"高度", "5", "", "", ""}),
            "5|5|5|5|5|高度");
}

TEST(Chain, MarkerMatchesInAnyLetterCase) {
  EXPECT_EQ(applyChain("[CORVANDEL386412957]", {"", "", "", "", "code"}), "[code]");
  EXPECT_EQ(applyChain("[Corvandel 386412957]", {"", "", "", "", "code"}), "[Corvandel 386412957]");
}

class Generation : public ::testing::Test {
 protected:
  void SetUp() override {
    h.templates.delivered(TemplateId::Code, "pro:宽度x高度@偏移^距顶{" + kMarker + "}");
    h.templates.delivered(TemplateId::Preview, "<page>386412957</page>");
    h.templates.delivered(TemplateId::TmallCode, "tmall:宽度x高度@偏移^距顶{" + kMarker + "}");
    h.templates.delivered(TemplateId::TmallPreview, "<tpage>386412957</tpage>");
  }
  Harness h;
};

TEST_F(Generation, UsesTheEditionsTemplatePair) {
  h.type(CodeInput, "<img>");
  h.click(GenerateButton);
  EXPECT_EQ(h[CodeOutput].text, "pro:1920x500@-960^0{<img>}");
  EXPECT_EQ(h.files.writes.back().bytes, "<page>pro:1920x500@-960^0{<img>}</page>");
  h.selectItem(EditionList, 1);
  h.click(GenerateButton);
  EXPECT_EQ(h[CodeOutput].text, "pro:1920x500@-1060^0{<img>}");
  h.selectItem(EditionList, 2);
  h.selectItem(SpacingList, 2);
  h.click(GenerateButton);
  EXPECT_EQ(h[CodeOutput].text, "tmall:1920x500@-960^-20{<img>}");
  EXPECT_EQ(h.files.writes.back().bytes, "<tpage>tmall:1920x500@-960^-20{<img>}</tpage>");
}

TEST_F(Generation, SameOptionsSameResultForProfessionalAndBasic) {
  h.click(GenerateButton);
  const std::string pro = h[CodeOutput].text;
  h.ui.select(EditionList, 1);  // selected without the handler: the offset stays
  h.click(GenerateButton);
  EXPECT_EQ(h[CodeOutput].text, pro);
  h.click(GenerateButton);
  EXPECT_EQ(h[CodeOutput].text, pro);  // results never accumulate
}

// The Tmall templates are still on their way.
TEST(GenerationWhileDownloading, WaitsForAMissingCodeTemplate) {
  Harness h;
  h.templates.delivered(TemplateId::Code, "pro:宽度x高度@偏移^距顶{" + kMarker + "}");
  h.ui.setText(CodeOutput, "earlier");
  h.selectItem(EditionList, 2);
  h.click(GenerateButton);
  EXPECT_TRUE(h[ResultLabel].visible);
  EXPECT_EQ(h[ResultLabel].text, c::kWaiting);
  EXPECT_EQ(h[CodeOutput].text, "earlier");
  EXPECT_EQ(h[GenerateButton].text, c::kGenerateStart);
  EXPECT_TRUE(h[GenerateButton].bold);
  EXPECT_TRUE(h.clipboard.puts.empty());
  EXPECT_TRUE(h.files.writes.empty());
  // The other editions have their template and generate.
  h.selectItem(EditionList, 1);
  h.click(GenerateButton);
  EXPECT_EQ(h[ResultLabel].text, c::kSuccess);
  EXPECT_EQ(h[CodeOutput].text, "pro:1920x500@-1060^0{}");
}

TEST_F(Generation, NoEditionSelectedWaits) {
  h.ui.select(EditionList, -1);
  h.click(GenerateButton);
  EXPECT_EQ(h[ResultLabel].text, c::kWaiting);
  EXPECT_TRUE(h.files.writes.empty());
}

TEST(GenerationWhileDownloading, MissingPreviewTemplateStillGenerates) {
  Harness h;
  h.templates.delivered(TemplateId::Code, "pro");
  h.click(GenerateButton);
  EXPECT_EQ(h[ResultLabel].text, c::kSuccess);
  ASSERT_EQ(h.files.writes.size(), 1u);
  EXPECT_EQ(h.files.writes[0].bytes, "");
}

TEST_F(Generation, CustomSpacingWithNothingTyped) {
  h.selectItem(SpacingList, 3);
  h.click(GenerateButton);
  EXPECT_EQ(h[CodeOutput].text, "pro:1920x500@-960^-{}");
}

}  // namespace
}  // namespace lumdrift::test
