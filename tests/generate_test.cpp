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

// The template gets the code repaired; the code box keeps what was typed.
// The label names the repair beside the success message and the preview lists
// it where its template asks, before the code; a failure's message stands
// alone, and code that needs no repair gives what it always gave.
TEST_F(Generation, RepairsAreToldAndListedWhileTheCodeBoxKeepsWhatWasTyped) {
  h.templates.delivered(TemplateId::Preview, "<page><!--lumdrift-repairs-->386412957</page>");
  h.type(CodeInput, "<b>x</b></div>");
  h.click(GenerateButton);
  EXPECT_EQ(h[CodeInput].text, "<b>x</b></div>");
  EXPECT_EQ(h[CodeOutput].text, "pro:1920x500@-960^0{<b>x</b>}");
  EXPECT_EQ(h.clipboard.puts.back(), "pro:1920x500@-960^0{<b>x</b>}");
  EXPECT_EQ(h[ResultLabel].text, std::string(c::kSuccess) + "已去掉1个多余的</div>");
  const std::string& page = h.files.writes.back().bytes;
  EXPECT_LT(page.find("id=\"ld-repairs\""), page.find("pro:1920x500"));
  EXPECT_NE(page.find("<code>&lt;/div&gt;</code>"), std::string::npos);
  EXPECT_NE(page.find("<textarea id=\"ld-before\" hidden>\r\n"
                      "pro:1920x500@-960^0{&lt;b&gt;x&lt;/b&gt;&lt;/div&gt;}</textarea>"),
            std::string::npos);

  h.clipboard.works = false;
  h.click(GenerateButton);
  EXPECT_EQ(h[ResultLabel].text, c::kClipboardFailed);

  h.clipboard.works = true;
  h.type(CodeInput, "<b>x</b>");
  h.click(GenerateButton);
  EXPECT_EQ(h[ResultLabel].text, c::kSuccess);
  EXPECT_EQ(h.files.writes.back().bytes,
            "<page><!--lumdrift-repairs-->pro:1920x500@-960^0{<b>x</b>}</page>");
}

// Each edition the list offers generates from the site's own templates: its
// code template takes the code, its preview template the result.
TEST(EditionTable, EveryListedEditionGeneratesWithTheSitesTemplates) {
  Harness h;
  for (int id = 0; id < kTemplateCount; ++id) h.templates.abandoned(static_cast<TemplateId>(id));
  h.type(CodeInput, "<img src=\"x.png\">");
  const int editions = static_cast<int>(h[EditionList].items.size());
  ASSERT_GT(editions, 0);
  for (int edition = 0; edition < editions; ++edition) {
    h.selectItem(EditionList, edition);
    h.click(GenerateButton);
    EXPECT_EQ(h[ResultLabel].text, caption::kSuccess) << edition;
    const std::string& out = h[CodeOutput].text;
    EXPECT_NE(out.find("<img src=\"x.png\">"), std::string::npos) << edition;
    EXPECT_EQ(out.find("Corvandel386412957"), std::string::npos) << edition;
    EXPECT_NE(h.files.writes.back().bytes.find("<img src=\"x.png\">"), std::string::npos)
        << edition;
  }
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

// The code carries each number as the width rule reads it, in ASCII digits;
// a box with no number, or a size not above zero, makes no code and says
// which box needs one.
TEST_F(Generation, NumbersGoInAsTheWidthRuleReadsThem) {
  struct Case {
    const char *width, *height, *spacing, *code;
    std::string_view message;
  };
  const Case cases[] = {
      {"１９２０", "５００", "－１０", "pro:1920x500@-960^-10{}", c::kSuccess},
      {"1920px", "500px", "-10px", "pro:1920x500@-960^-10{}", c::kSuccess},
      {" 1200.50", "769.0", "0", "pro:1200.5x769@-600.25^0{}", c::kSuccess},
      {"1e3", "+2E2", "-0", "pro:1000x200@-500^-0{}", c::kSuccess},
      {"", "500", "0", nullptr, c::kWidthNeedsNumber},
      {"abc", "500", "0", nullptr, c::kWidthNeedsNumber},
      {"0", "500", "0", nullptr, c::kWidthNeedsNumber},
      {"-1920", "500", "0", nullptr, c::kWidthNeedsNumber},
      {"1e999", "500", "0", nullptr, c::kWidthNeedsNumber},
      {"1920", "", "0", nullptr, c::kHeightNeedsNumber},
      {"1920", "-5", "0", nullptr, c::kHeightNeedsNumber},
      {"1920", "500", "-", nullptr, c::kSpacingNeedsNumber},  // 自定义, nothing typed
      {"1920", "500", "px", nullptr, c::kSpacingNeedsNumber},
  };
  h.selectItem(SpacingList, 3);
  for (const Case& k : cases) {
    h.ui.setText(CodeOutput, "earlier");
    h.clipboard.puts.clear();
    h.type(WidthEdit, k.width);
    h.type(HeightEdit, k.height);
    h.type(SpacingEdit, k.spacing);
    h.click(GenerateButton);
    EXPECT_EQ(h[ResultLabel].text, k.message) << k.width << " " << k.height << " " << k.spacing;
    EXPECT_EQ(h[CodeOutput].text, k.code ? k.code : "earlier") << k.width;
    EXPECT_EQ(h.clipboard.puts.size(), k.code ? 1u : 0u) << k.width;
  }
}

}  // namespace
}  // namespace lumdrift::test
