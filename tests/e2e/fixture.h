#pragma once
// What every end-to-end test starts from: a template server on the tool's
// template port with test templates, and one run of the tool.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "base/captions.h"
#include "base/control_table.h"
#include "generator/generate.h"
#include "generator/markers.h"
#include "generator/replace.h"
#include "tests/e2e/template_server.h"
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

// The preview page template is fetched twice, once per slot; the two answers
// differ so that each edition's page shows which slot it came from.
inline const std::string kProPreview =
    "<html><head><meta charset=\"gbk\"><title>预览</title></head><body>\r\n"
    "<p>PRO</p>386412957\r\n<p>386412957</p></body></html>\r\n";
inline const std::string kTmallPreview = "<html><body><p>TMALL</p>\r\n386412957</body></html>\r\n";

// A user's code with Chinese text and a placeholder word that must stay.
inline const std::string kUserCode =
    "<a href=\"https://shop.example/item?id=1\"><img src=\"banner.jpg\"></a>\r\n"
    "<p>全屏宽度 banner 高度自适应</p>";

class E2eTest : public ::testing::Test {
 protected:
  void SetUp() override {
    server_.emplace();
    ASSERT_TRUE(server_->listening())
        << "the template port " << TemplateServer::port() << " is taken";
  }
  void TearDown() override {
    app_.reset();
    server_.reset();
  }

  TemplateServer& server() { return *server_; }
  void stopServer() { server_.reset(); }

  // The four templates as a working template server serves them.
  void serveTestTemplates() {
    server().script(kTmallCode, {Response::ok(kTmallTemplate)});
    server().script(kCode, {Response::ok(kCodeTemplate)});
    server().script(kPreview, {Response::ok(kProPreview), Response::ok(kTmallPreview)});
  }

  App& start(const std::string& exeName = "Lumdrift.exe", const std::string& folderSuffix = "") {
    app_ = std::make_unique<App>(exeName, folderSuffix);
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
  std::optional<TemplateServer> server_;
};

inline std::string previewOf(const std::string& previewTemplate, const std::string& result) {
  return Replace(previewTemplate, kPreviewMarker, result, 1, 1, false);
}

}  // namespace lumdrift::e2e
