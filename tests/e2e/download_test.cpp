// The template download as the server sees it and as the user feels it: the
// requests, the repeat of the code templates, the answers that count as failed
// fetches, and a server that stalls.

#include <algorithm>

#include "templates/template_table.h"
#include "tests/e2e/debug_output.h"
#include "tests/e2e/fixture.h"

namespace lumdrift::e2e {
namespace {

const std::vector<std::string> kFourRequests = {kTmallCode, kCode, kPreview, kPreview};
const std::vector<std::string> kSixRequests = {kTmallCode, kCode,      kPreview,
                                               kPreview,   kTmallCode, kCode};

class Download : public E2eTest {
 protected:
  // Generates with the edition and gives the result label's caption.
  std::string generateWith(int edition) {
    select(ctl(EditionList), edition);
    click(ctl(GenerateButton));
    return resultCaption();
  }

  // No request beyond the expected ones arrives.
  void expectRequests(const std::vector<std::string>& paths) {
    waitForDownload(paths.size());
    Sleep(1000);
    EXPECT_EQ(server().paths(), paths);
  }
};

TEST_F(Download, FourHttp10RequestsInOrderWithTheAgentAndAccept) {
  serveTestTemplates();
  start();
  expectRequests(kFourRequests);
  for (const Request& r : server().requests()) {
    SCOPED_TRACE(r.path);
    EXPECT_EQ(r.method, "GET");
    EXPECT_EQ(r.version, "HTTP/1.0");
    EXPECT_EQ(r.values("User-Agent"),
              std::vector<std::string>{"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"});
    const std::vector<std::string> accept = r.values("Accept");
    ASSERT_FALSE(accept.empty());
    for (const std::string& value : accept)
      EXPECT_NE(value.find("*/*"), std::string::npos) << "Accept: " << value;
    EXPECT_EQ(r.values("Host"), std::vector<std::string>{std::string(kTemplateHost)});
  }
}

TEST_F(Download, StalledServerGivesTheWaitingMessageThenGenerationWorks) {
  server().script(kTmallCode, {[] {
                    Response r = served(kTmallTemplate);
                    r.stall = true;
                    return r;
                  }()});
  server().script(kCode, {served(kCodeTemplate)});
  server().script(kPreview, {served(kProPreview.text()), served(kTmallPreview.text())});
  start();
  ASSERT_TRUE(server().waitForRequests(1, 10000));

  setText(ctl(CodeInput), kUserCode);
  EXPECT_EQ(generateWith(0), caption::kWaiting);
  EXPECT_TRUE(visible(ctl(ResultLabel)));
  EXPECT_EQ(text(ctl(GenerateButton)), caption::kGenerateStart)
      << "the waiting message leaves the button";
  EXPECT_EQ(text(ctl(CodeOutput)), "");
  EXPECT_EQ(generateWith(2), caption::kWaiting);
  EXPECT_EQ(pageText(app().previewPath()), std::nullopt) << "no page before a result";
  EXPECT_EQ(server().requests().size(), 1u) << "requests never overlap";

  server().release();
  waitForDownload(4);
  EXPECT_EQ(generateWith(0), caption::kSuccess);
  EXPECT_EQ(text(ctl(CodeOutput)), filledCode(kUserCode));
  EXPECT_EQ(pageText(app().previewPath()), kProPreview.page(filledCode(kUserCode)));
  EXPECT_EQ(server().paths(), kFourRequests);
}

TEST_F(Download, NotFoundTmallTemplateIsRepeatedThenTheBuiltInCopyStandsIn) {
  serveTestTemplates();
  server().script(kTmallCode, {Response::notFound()});
  start();
  expectRequests(kSixRequests);
  EXPECT_EQ(generateWith(2), caption::kSuccess) << "an error page must not become code";
  EXPECT_EQ(text(ctl(CodeOutput)), filledSite(siteFile(kSiteTmallCode), ""));
  EXPECT_EQ(pageText(app().previewPath()), kTmallPreview.page(text(ctl(CodeOutput))));
  EXPECT_EQ(generateWith(0), caption::kSuccess);
  EXPECT_EQ(text(ctl(CodeOutput)), filledCode(""));
}

TEST_F(Download, EmptyTmallTemplateIsFetchedOnceMore) {
  serveTestTemplates();
  server().script(kTmallCode, {Response::ok(""), served(kTmallTemplate)});
  start();
  expectRequests(kSixRequests);
  EXPECT_EQ(generateWith(2), caption::kSuccess) << "the repeat filled the Tmall slot";
  EXPECT_EQ(text(ctl(CodeOutput)), filledTmall(""));
  EXPECT_EQ(pageText(app().previewPath()), kTmallPreview.page(filledTmall("")));
}

TEST_F(Download, CodeTemplateThatCameIsKeptWhenItsRepeatFails) {
  serveTestTemplates();
  server().script(kTmallCode, {Response::notFound()});
  server().script(kCode, {served(kCodeTemplate), Response::notFound()});
  start();
  expectRequests(kSixRequests);
  EXPECT_EQ(generateWith(1), caption::kSuccess);
  EXPECT_EQ(text(ctl(CodeOutput)), filledCode("", {.offset = "-1060"}));
}

TEST_F(Download, FailedCodeTemplateAloneIsNotRepeatedAndStandsInAtOnce) {
  serveTestTemplates();
  server().script(kCode, {Response::withStatus(500, "<html>Server Error</html>")});
  start();
  expectRequests(kFourRequests);
  EXPECT_EQ(generateWith(0), caption::kSuccess);
  EXPECT_EQ(text(ctl(CodeOutput)), filledSite(siteFile(kSiteCode), ""));
  EXPECT_EQ(pageText(app().previewPath()), kProPreview.page(text(ctl(CodeOutput))));
  EXPECT_EQ(generateWith(2), caption::kSuccess);
  EXPECT_EQ(text(ctl(CodeOutput)), filledTmall(""));
}

TEST_F(Download, BodiesWithAndWithoutLengthArriveWhole) {
  // More than one read chunk either way: 10240 bytes without a length,
  // 102400 with one.
  // Each template is written beside what the tool must make of it.
  std::string tmall, code, tmallFilled, codeFilled;
  for (int i = 0; tmall.size() < 30000; ++i) {
    const std::string line = "<p>line " + std::to_string(i) + " ";
    tmall += line + "宽度 高度</p>\r\n";
    tmallFilled += line + (i < 3 ? "1920 " : "宽度 ") + (i < 5 ? "500" : "高度") + "</p>\r\n";
  }
  tmall += "Corvandel386412957\r\n<p>end of the Tmall template</p>";
  tmallFilled += "\r\n<p>end of the Tmall template</p>";
  for (int i = 0; code.size() < 500000; ++i) {
    const std::string line = "<p>row " + std::to_string(i) + " 全屏 ";
    code += line + "偏移</p>\r\n";
    codeFilled += line + (i < 2 ? "-960" : "偏移") + "</p>\r\n";
  }
  code += "Corvandel386412957\r\n<p>end of the code template</p>";
  codeFilled += "\r\n<p>end of the code template</p>";
  Response unsized = served(tmall);
  unsized.contentLength = false;
  server().script(kTmallCode, {unsized});
  server().script(kCode, {served(code)});
  server().script(kPreview, {served(kProPreview.text()), served(kTmallPreview.text())});
  start();
  expectRequests(kFourRequests);

  EXPECT_EQ(generateWith(2), caption::kSuccess);
  EXPECT_TRUE(text(ctl(CodeOutput)) == tmallFilled);
  EXPECT_EQ(generateWith(0), caption::kSuccess);
  EXPECT_TRUE(text(ctl(CodeOutput)) == codeFilled);
}

TEST_F(Download, ZeroByteEndsTheTemplate) {
  serveTestTemplates();
  const std::string head = "<b>宽度 Corvandel386412957</b>";
  server().script(kCode, {served(head + std::string(1, '\0') + "<i>after the zero</i>")});
  start();
  expectRequests(kFourRequests);
  setText(ctl(CodeInput), "CODE");
  EXPECT_EQ(generateWith(0), caption::kSuccess);
  EXPECT_EQ(text(ctl(CodeOutput)), "<b>1920 CODE</b>");
  EXPECT_EQ(clipboardText(), "<b>1920 CODE</b>");
}

TEST_F(Download, CutAndOversizeBodiesGiveWayToTheBuiltInCopies) {
  serveTestTemplates();
  Response reset = served(kTmallTemplate);
  reset.cutAfter = kTmallTemplate.size() / 2;
  reset.reset = true;
  Response closed = served(kCodeTemplate);
  closed.cutAfter = kCodeTemplate.size() / 2;
  std::string huge(64u * 1024 * 1024 + 1, 'a');
  for (std::size_t i = 100; i < huge.size(); i += 100) huge[i] = '\n';
  server().script(kTmallCode, {reset});
  server().script(kCode, {closed, Response::ok(std::move(huge))});
  start();
  // The cut Tmall template counts as failed, so the code templates come again.
  // The oversize answer counts once the tool has stopped taking it.
  ASSERT_TRUE(server().waitForAnswered(6, 60000)) << server().answered() << " answers taken";
  Sleep(500);
  EXPECT_EQ(server().paths(), kSixRequests);
  setText(ctl(CodeInput), kUserCode);
  EXPECT_EQ(generateWith(0), caption::kSuccess) << "a cut template must not become code";
  EXPECT_EQ(text(ctl(CodeOutput)), filledSite(siteFile(kSiteCode), kUserCode));
  EXPECT_EQ(generateWith(2), caption::kSuccess);
  EXPECT_EQ(text(ctl(CodeOutput)), filledSite(siteFile(kSiteTmallCode), kUserCode));
}

// With no template server at all, every edition generates from the built-in
// copies: the site as it was when the tool was built.
TEST_F(Download, EveryRequestResetAtOnceGivesTheBuiltInCopiesForEveryEdition) {
  Response reset;
  reset.resetAtOnce = true;
  for (const char* path : {kTmallCode, kCode, kPreview}) server().script(path, {reset});
  start();
  expectRequests(kSixRequests);
  setText(ctl(CodeInput), kUserCode);
  const std::pair<int, Options> editions[] = {{0, {}}, {1, {.offset = "-1060"}}, {2, {}}};
  for (const auto& [edition, options] : editions) {
    SCOPED_TRACE(edition);
    EXPECT_EQ(generateWith(edition), caption::kSuccess);
    const std::string result =
        filledSite(siteFile(edition == 2 ? kSiteTmallCode : kSiteCode), kUserCode, options);
    EXPECT_EQ(text(ctl(CodeOutput)), result);
    EXPECT_EQ(clipboardText(), result);
    EXPECT_EQ(pageText(app().previewPath()), sitePage(result));
  }
}

// A person can see in the debugger output why the server was not used.
TEST_F(Download, UnreachableServerGivesTheBuiltInCopiesAndSaysWhy) {
  DebugOutputListener debugOutput;
  ASSERT_TRUE(debugOutput.listening());
  stopServer();
  start();
  const ULONGLONG started = GetTickCount64();
  for (int edition : {0, 2}) {
    SCOPED_TRACE(edition);
    ASSERT_TRUE(waitUntil([&] { return generateWith(edition) == caption::kSuccess; }, 30000));
    EXPECT_EQ(text(ctl(CodeOutput)),
              filledSite(siteFile(edition == 2 ? kSiteTmallCode : kSiteCode), ""));
  }
  std::printf("server unreachable: built-in copies in use after %llu ms\n",
              GetTickCount64() - started);

  const std::vector<std::string> lines = debugOutput.linesOf(app().processId());
  const auto count = [&](const std::string& a, const std::string& b) {
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& line) {
      return line.find(a) != std::string::npos && line.find(b) != std::string::npos;
    });
  };
  for (const char* path : {kTmallCode, kCode, kPreview}) {
    SCOPED_TRACE(path);
    const std::string url = "GET http://" + std::string(kTemplateHost) + path + ": ";
    EXPECT_EQ(count(url, "failed, error"), 2) << "each of its requests, with its error code";
    EXPECT_EQ(count(std::string("(") + path + "): ", "built-in copy stands in"),
              path == std::string(kPreview) ? 2 : 1)
        << "the stand-in, once per template";
  }
}

// A server that takes the connection and never answers: the click asks to
// wait at first, then the built-in copies stand in within 30 s of start-up;
// the window answers all the while, and Esc still closes at once.
TEST_F(Download, SilentServerGivesWayToTheBuiltInCopiesWithinThirtySeconds) {
  Response silent = served(kTmallTemplate);
  silent.stall = true;
  for (const char* path : {kTmallCode, kCode, kPreview}) server().script(path, {silent});
  start();
  const ULONGLONG started = GetTickCount64();
  ASSERT_TRUE(server().waitForRequests(1, 10000));
  EXPECT_EQ(generateWith(2), caption::kWaiting);
  ULONGLONG slowest = 0;
  for (int edition : {0, 1, 2}) {
    SCOPED_TRACE(edition);
    ASSERT_TRUE(waitUntil([&] { return generateWith(edition) == caption::kSuccess; },
                          30000 - static_cast<DWORD>(GetTickCount64() - started)))
        << "still waiting 30 s after start-up";
    slowest = GetTickCount64() - started;
    EXPECT_EQ(text(ctl(CodeOutput)), filledSite(siteFile(edition == 2 ? kSiteTmallCode : kSiteCode),
                                                "", {.offset = edition == 1 ? "-1060" : "-960"}));
  }
  std::printf("silent server: every edition generates %llu ms after start\n", slowest);
  const ULONGLONG before = GetTickCount64();
  HWND window = app().window();
  pressEscape(ctl(CodeInput));
  EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(window); }, 1000)) << "the window stayed";
  const ULONGLONG hidden = GetTickCount64() - before;
  EXPECT_EQ(app().waitForExit(5000), std::optional<DWORD>(0));
  std::printf("silent server: Esc hid the window in %llu ms, the process ended in %llu ms\n",
              hidden, GetTickCount64() - before);
}

// The server's copy wins whenever it comes, also after a built-in copy has
// stood in for it.
TEST_F(Download, TemplateThatComesLateReplacesTheBuiltInCopy) {
  serveTestTemplates();
  Response late = served(kTmallTemplate);
  late.stall = true;
  server().script(kTmallCode, {late});
  start();
  ASSERT_TRUE(waitUntil([&] { return generateWith(2) == caption::kSuccess; }, 30000));
  EXPECT_EQ(text(ctl(CodeOutput)), filledSite(siteFile(kSiteTmallCode), ""));
  EXPECT_EQ(server().requests().size(), 1u) << "the Tmall template is still on its way";
  server().release();
  waitForDownload(4);
  EXPECT_EQ(generateWith(2), caption::kSuccess);
  EXPECT_EQ(text(ctl(CodeOutput)), filledTmall(""));
}

}  // namespace
}  // namespace lumdrift::e2e
