#pragma once
// What every end-to-end test starts from: a template server on the tool's
// template port with test templates, and one run of the tool.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "base/captions.h"
#include "base/control_table.h"
#include "tests/e2e/template_host.h"
#include "tests/e2e/window_driver.h"

namespace lumdrift::e2e {

using enum ControlId;

// Code template of the professional and basic editions: more placeholders
// than the chain replaces, and the code marker twice, the first time in
// another letter case.
inline const std::string kCodeTemplate =
    "<div class=\"full\" style=\"width:宽度px;height:高度px;margin-left:偏移px;"
    "margin-top:距顶px\">\r\n"
    "<!-- 宽度 宽度 宽度 | 高度 高度 高度 高度 高度 | 偏移 偏移 | 距顶 -->\r\n"
    "corvandel386412957\r\n"
    "</div><!-- Corvandel386412957 -->\r\n";

inline const std::string kTmallTemplate =
    "<div class=\"tmall\" data-w=\"宽度\" data-h=\"高度\" data-x=\"偏移\" data-t=\"距顶\">\r\n"
    "Corvandel386412957\r\n"
    "</div>\r\n";

// The option values as the tool shows them at start.
struct Options {
  std::string width = "1920", height = "500", offset = "-960", spacing = "0";
};

// kCodeTemplate as the tool must fill it: the first three 宽度, five 高度,
// two 偏移 and one 距顶 take the values, the first marker takes the code, and
// the rest stays.
inline std::string filledCode(const std::string& code, const Options& o = {}) {
  const std::string& w = o.width;
  const std::string& h = o.height;
  return "<div class=\"full\" style=\"width:" + w + "px;height:" + h +
         "px;margin-left:" + o.offset + "px;margin-top:" + o.spacing + "px\">\r\n<!-- " + w + " " +
         w + " 宽度 | " + h + " " + h + " " + h + " " + h + " 高度 | " + o.offset +
         " 偏移 | 距顶 -->\r\n" + code + "\r\n</div><!-- Corvandel386412957 -->\r\n";
}

inline std::string filledTmall(const std::string& code, const Options& o = {}) {
  return "<div class=\"tmall\" data-w=\"" + o.width + "\" data-h=\"" + o.height + "\" data-x=\"" +
         o.offset + "\" data-t=\"" + o.spacing + "\">\r\n" + code + "\r\n</div>\r\n";
}

// A preview page template around its first marker; the page is the two
// halves around the generated code.
struct PreviewTemplate {
  std::string head, tail;
  std::string text() const { return head + "386412957" + tail; }
  std::string page(const std::string& result) const { return head + result + tail; }
};

// The preview page template is fetched twice, once per edition pair; the two
// answers differ so that each edition's page shows which one it came from.
// The professional one holds a second marker, which must stay.
inline const PreviewTemplate kProPreview{
    "<html><head><meta charset=\"gbk\"><title>预览</title></head><body>\r\n<p>PRO</p>",
    "\r\n<p>386412957</p></body></html>\r\n"};
inline const PreviewTemplate kTmallPreview{"<html><body><p>TMALL</p>\r\n", "</body></html>\r\n"};

// A file of the template site in the source tree, as text: what the tool
// carries built in.
inline std::string siteFile(const std::string& path) {
  return fromGbk(fileBytes(windowsPath(LUMDRIFT_SITE_DIR + path)).value_or(""));
}

// The site serves GBK.
inline Response served(std::string_view text) {
  return Response::ok(gbk(text));
}

// A preview page whose template declares GBK, as text.
inline std::optional<std::string> pageText(const std::string& path) {
  const std::optional<std::string> bytes = fileBytes(path);
  if (!bytes) return std::nullopt;
  return fromGbk(*bytes);
}

// A code template of the site filled as the tool must fill it. The site's
// templates hold each placeholder no more often than the tool replaces it, so
// replacing every occurrence gives the same.
inline std::string filledSite(std::string text, const std::string& code, const Options& o = {}) {
  const std::pair<std::string, std::string> steps[] = {{"宽度", o.width},
                                                       {"高度", o.height},
                                                       {"偏移", o.offset},
                                                       {"距顶", o.spacing},
                                                       {"Corvandel386412957", code}};
  for (const auto& [word, value] : steps) {
    for (std::size_t at = 0; (at = text.find(word, at)) != std::string::npos; at += value.size()) {
      text.replace(at, word.size(), value);
    }
  }
  return text;
}

// The site's preview page around a result: its first marker replaced.
inline std::string sitePage(const std::string& result) {
  std::string page = siteFile("/derereravo/365687/yl/jsb.txt");
  const std::size_t at = page.find("386412957");
  return at == std::string::npos ? page : page.replace(at, 9, result);
}

inline const std::string kSiteTmallCode = "/derereravo/365687/gjx/kestry/tmb.txt";
inline const std::string kSiteCode = "/derereravo/365687/gjx/kestry/jsb.txt";

// A user's code with Chinese text and a placeholder word that must stay.
inline const std::string kUserCode =
    "<a href=\"https://shop.example/item?id=1\"><img src=\"banner.jpg\"></a>\r\n"
    "<p>全屏宽度 banner 高度自适应</p>";

class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.emplace(templatePort());
    ASSERT_TRUE(server_->listening()) << "the template port " << templatePort() << " is taken";
  }
  void TearDown() override {
    app_.reset();
    server_.reset();
  }

  ScriptedHttpServer& server() { return *server_; }
  void stopServer() { server_.reset(); }

  // The four templates as a working template server serves them.
  void serveTestTemplates() {
    server().script(kTmallCode, {served(kTmallTemplate)});
    server().script(kCode, {served(kCodeTemplate)});
    server().script(kPreview, {served(kProPreview.text()), served(kTmallPreview.text())});
  }

  App& start(const std::string& exeName = "Lumdrift.exe", const std::string& folderSuffix = "",
             App::Folder where = App::Folder::InTemp,
             const std::function<void(const std::string& dir)>& beforeStart = {}) {
    app_ = std::make_unique<App>(exeName, folderSuffix, where, beforeStart);
    EXPECT_TRUE(app_->started()) << "no window titled Lumdrift from " << lumdriftExe();
    return *app_;
  }
  App& app() { return *app_; }

  HWND ctl(ControlId id) {
    HWND h = app_->control(id);
    EXPECT_NE(h, nullptr) << "no control " << controlRow(id).name;
    return h;
  }

  // Waits until the worker has taken this many whole answers, and a moment
  // more for it to put the last one into its slot.
  void waitForDownload(std::size_t answers) {
    ASSERT_TRUE(server().waitForAnswered(answers, 20000))
        << "only " << server().answered() << " answers taken";
    Sleep(500);
  }

  std::string resultCaption() { return text(ctl(ResultLabel)); }

  std::unique_ptr<App> app_;

 private:
  std::optional<ScriptedHttpServer> server_;
};

// A run of the tool that has all four test templates.
class ReadyTest : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    serveTestTemplates();
    start();
    waitForDownload(4);
  }
};

}  // namespace lumdrift::e2e
