// Generation through the window with test templates from the server: what
// lands in the output box, on the clipboard and in yl.htm, the feedback on the
// button and the label, a busy clipboard, and a 4 MB code input.

#include <atomic>
#include <thread>

#include "tests/e2e/fixture.h"

namespace lumdrift::e2e {
namespace {

class Generation : public ReadyTest {
 protected:
  // The output box, the clipboard and the preview page after a generation.
  void expectDelivered(const std::string& result, const std::string& page) {
    EXPECT_EQ(text(ctl(CodeOutput)), result);
    EXPECT_EQ(clipboardText(), result);
    EXPECT_EQ(pageText(app().previewPath()), page);
  }
};

TEST_F(Generation, ProfessionalFillsTheTemplateWithinTheLimits) {
  setText(ctl(CodeInput), kUserCode);
  click(ctl(GenerateButton));

  const std::string result =
      "<div class=\"full\" style=\"width:1920px;height:500px;margin-left:-960px;"
      "margin-top:0px\">\r\n"
      "<!-- 1920 1920 宽度 | 500 500 500 500 高度 | -960 偏移 | 距顶 -->\r\n" +
      kUserCode +
      "\r\n"
      "</div><!-- Corvandel386412957 -->\r\n";
  ASSERT_EQ(result, filledCode(kUserCode)) << "the test's own expectation";
  EXPECT_EQ(resultCaption(), caption::kSuccess);
  EXPECT_TRUE(visible(ctl(ResultLabel)));
  expectDelivered(result,
                  "<html><head><meta charset=\"gbk\"><title>预览</title></head><body>\r\n"
                  "<p>PRO</p>" +
                      result + "\r\n<p>386412957</p></body></html>\r\n");
  EXPECT_EQ(text(ctl(GenerateButton)), caption::kGenerateIdle);
  EXPECT_TRUE(enabled(ctl(GenerateButton)));
  EXPECT_EQ(filesIn(app().programDir()), (std::vector<std::string>{"Lumdrift.exe", "yl.htm"}))
      << "nothing else, no temporary file, is left in the program directory";
}

TEST_F(Generation, EachEditionUsesItsTemplatesAndOptionsAsTyped) {
  setText(ctl(CodeInput), kUserCode);
  select(ctl(EditionList), 2);
  clearByKeys(ctl(WidthEdit));
  type(ctl(WidthEdit), "1000");
  clearByKeys(ctl(HeightEdit));
  type(ctl(HeightEdit), "300");
  select(ctl(SpacingList), 3);
  type(ctl(SpacingEdit), "35");
  click(ctl(GenerateButton));
  const std::string tmall =
      "<div class=\"tmall\" data-w=\"1000\" data-h=\"300\" data-x=\"-500\" data-t=\"-35\">\r\n" +
      kUserCode + "\r\n</div>\r\n";
  expectDelivered(tmall, kTmallPreview.page(tmall));

  select(ctl(EditionList), 1);
  ASSERT_EQ(text(ctl(OffsetEdit)), "-1060");
  click(ctl(GenerateButton));
  const std::string basic = filledCode(kUserCode, {"1000", "300", "-1060", "-35"});
  expectDelivered(basic, kProPreview.page(basic));

  // The basic and the professional edition share their templates.
  select(ctl(EditionList), 0);
  setText(ctl(OffsetEdit), "-1060");
  click(ctl(GenerateButton));
  expectDelivered(basic, kProPreview.page(basic));
}

TEST_F(Generation, EveryClickStartsAgainFromTheTemplate) {
  setText(ctl(CodeInput), std::string(3000, 'x') + "\r\n" + kUserCode);
  click(ctl(GenerateButton));
  const std::string longer = filledCode(std::string(3000, 'x') + "\r\n" + kUserCode);
  expectDelivered(longer, kProPreview.page(longer));

  // Empty code: the marker goes, and the shorter page replaces the longer one.
  doubleClick(ctl(CodeInput));
  ASSERT_TRUE(waitUntil([&] { return text(ctl(CodeInput)).empty(); }, 3000));
  click(ctl(GenerateButton));
  const std::string empty = filledCode("");
  expectDelivered(empty, kProPreview.page(empty));

  // The user's edit of the output box does not reach the page.
  setText(ctl(CodeOutput), "edited by hand");
  EXPECT_EQ(pageText(app().previewPath()), kProPreview.page(empty));
  EXPECT_EQ(clipboardText(), empty);
}

TEST_F(Generation, ResultLabelIsHiddenAgainWithinOneTick) {
  click(ctl(GenerateButton));
  ASSERT_TRUE(visible(ctl(ResultLabel)));
  ULONGLONG shown = GetTickCount64();
  ASSERT_TRUE(waitUntil([&] { return !visible(ctl(ResultLabel)); }, 6700))
      << "still shown 6.7 s after the click";
  // Shown again right after a tick, it stays for most of the next period.
  click(ctl(GenerateButton));
  shown = GetTickCount64();
  ASSERT_TRUE(visible(ctl(ResultLabel)));
  EXPECT_EQ(text(ctl(GenerateButton)), caption::kGenerateIdle);
  EXPECT_FALSE(waitUntil([&] { return !visible(ctl(ResultLabel)); }, 5000))
      << "hidden before the next tick was due";
  EXPECT_TRUE(waitUntil([&] { return !visible(ctl(ResultLabel)); }, 1700));
  EXPECT_LT(GetTickCount64() - shown, 6800u);
  EXPECT_EQ(resultCaption(), caption::kSuccess) << "hiding leaves the caption";
}

TEST_F(Generation, BusyClipboardIsReportedAndTheRestIsDelivered) {
  ASSERT_TRUE(setClipboardText("held by another program"));
  setText(ctl(CodeInput), kUserCode);
  const std::string result = filledCode(kUserCode);
  // Another program holds the clipboard open with a window of its own.
  HWND holder = CreateWindowExA(0, "STATIC", "holder", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_TRUE(OpenClipboard(holder));
  click(ctl(GenerateButton));
  const std::string caption = resultCaption();
  const std::string output = text(ctl(CodeOutput));
  CloseClipboard();
  DestroyWindow(holder);

  EXPECT_EQ(caption, caption::kClipboardFailed);
  EXPECT_TRUE(visible(ctl(ResultLabel)));
  EXPECT_EQ(output, result);
  EXPECT_EQ(pageText(app().previewPath()), kProPreview.page(result));
  EXPECT_EQ(clipboardText(), "held by another program") << "the clipboard keeps its old text";
  EXPECT_EQ(text(ctl(GenerateButton)), caption::kGenerateIdle);
  EXPECT_TRUE(enabled(ctl(GenerateButton)));

  // Once the clipboard is free again the next click copies.
  click(ctl(GenerateButton));
  EXPECT_EQ(resultCaption(), caption::kSuccess);
  expectDelivered(result, kProPreview.page(result));
}

// A hot-spot tool's code with one </div> too many, as a seller pastes it.
const std::string kHotSpotCode =
    "<div style=\"position:relative;width:1920px;height:500px\"><img src=\"b.jpg\">"
    "<a href=\"https://shop.example/1\" style=\"position:absolute;left:100px;top:200px;"
    "width:300px;height:80px\"></a></div></div>";
// The same as the shop keeps it working.
const std::string kHotSpotRepaired =
    "<div style=\"width:1920px;height:500px\"><div style=\"height:500px\"><img src=\"b.jpg\"></div>"
    "<div style=\"height:0;margin-top:-500px\"><div "
    "style=\"height:0;text-align:left;text-indent:0\">"
    "<a href=\"https://shop.example/1\" style=\"width:300px;height:80px;display:inline-block;"
    "vertical-align:top;margin:200px 0 0 100px\"></a></div></div></div>";

// The repaired code goes out while the code box keeps what was typed; the
// label names the repairs, and with the site's own templates the preview lists
// them above its advice, before the code, each with what it was.
class SiteGeneration : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    const std::string preview = siteFile("/derereravo/365687/yl/jsb.txt");
    server().script(kTmallCode, {served(siteFile(kSiteTmallCode))});
    server().script(kCode, {served(siteFile(kSiteCode))});
    server().script(kPreview, {served(preview), served(preview)});
    start();
    waitForDownload(4);
  }
};

TEST_F(SiteGeneration, RepairedCodeIsDeliveredToldAndListed) {
  setText(ctl(CodeInput), kHotSpotCode);
  click(ctl(GenerateButton));
  EXPECT_EQ(resultCaption(),
            std::string(caption::kSuccess) + "已修复1个热区的位置、去掉1个多余的</div>");
  EXPECT_EQ(text(ctl(CodeInput)), kHotSpotCode);
  const std::string result = filledSite(siteFile(kSiteCode), kHotSpotRepaired);
  EXPECT_EQ(text(ctl(CodeOutput)), result);
  EXPECT_EQ(clipboardText(), result);
  const std::string page = pageText(app().previewPath()).value_or("");
  const std::size_t list = page.find("<div class=\"ld-report ld-repairs\" id=\"ld-repairs\">");
  const std::size_t advice = page.find("<div class=\"ld-report\" id=\"ld-report\">");
  ASSERT_NE(list, std::string::npos);
  EXPECT_LT(list, advice);
  EXPECT_LT(advice, page.find(result));
  EXPECT_NE(page.find("&lt;a href=&quot;https://shop.example/1&quot; style=&quot;position:absolute;"
                      "left:100px;top:200px;width:300px;height:80px&quot;&gt;",
                      list),
            std::string::npos);
  EXPECT_NE(page.find("<code>&lt;/div&gt;</code>", list), std::string::npos);
}

TEST_F(Generation, FourMegabyteCodeInputIsGeneratedExactly) {
  // Lines of mixed ASCII and Chinese text, as decoration code comes.
  std::string code;
  for (int line = 0; code.size() < 4u * 1024 * 1024; ++line)
    code += "<div class=\"row" + std::to_string(line) + "\"><img src=\"https://img.example/b" +
            std::to_string(line % 97) + ".jpg\" alt=\"全屏海报 宽度\"></div>\r\n";
  // A user pastes it.
  ASSERT_TRUE(setClipboardText(code));
  HWND input = ctl(CodeInput);
  paste(input);
  ASSERT_EQ(text(input, 120000).size(), code.size()) << "the code input took less than all";

  // The work takes seconds, long enough to see the button's busy look from
  // outside: the window manager's copy of the caption answers without the
  // busy GUI thread.
  HWND button = ctl(GenerateButton);
  std::atomic<bool> done{false}, sawBusy{false};
  std::thread watcher([&] {
    const std::wstring busy = utf16(caption::kGenerateBusy);
    while (!done) {
      wchar_t caption[64] = {};
      InternalGetWindowText(button, caption, 64);
      if (caption == busy && !enabled(button)) sawBusy = true;
      Sleep(2);
    }
  });
  const ULONGLONG before = GetTickCount64();
  click(button, 180000);
  const ULONGLONG took = GetTickCount64() - before;
  done = true;
  watcher.join();
  EXPECT_TRUE(sawBusy) << "the button never read 使劲生成中 while disabled";
  EXPECT_EQ(text(button), caption::kGenerateIdle);
  EXPECT_TRUE(enabled(button));
  const std::string result = filledCode(code);
  EXPECT_EQ(resultCaption(), caption::kSuccess);
  const std::optional<std::string> copied = clipboardText();
  ASSERT_TRUE(copied.has_value());
  EXPECT_TRUE(*copied == result) << "clipboard: " << copied->size() << " bytes, expected "
                                 << result.size();
  const std::optional<std::string> page = pageText(app().previewPath());
  ASSERT_TRUE(page.has_value());
  EXPECT_TRUE(*page == kProPreview.page(result))
      << "yl.htm: " << page->size() << " bytes, expected " << kProPreview.page(result).size();
  EXPECT_EQ(text(ctl(CodeOutput), 120000).size(), result.size());
  std::printf("4 MB generation: click to result %llu ms\n", took);
}

}  // namespace
}  // namespace lumdrift::e2e
