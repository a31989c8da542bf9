#include "templates/download_worker.h"

#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "app/control_model.h"
#include "templates/template_source.h"

namespace lumdrift {
namespace {

using enum ControlId;

// Answers each URL from a queue of bodies, in order; "" once the queue is dry.
struct ScriptedHttp : HttpReader {
  std::map<Text, std::deque<std::string>> answers;
  std::vector<Text> requested;
  std::string read(const Text& url) override {
    requested.push_back(url);
    auto& q = answers[url];
    if (q.empty()) return {};
    std::string body = q.front();
    q.pop_front();
    return body;
  }
};

const Text kTmall = templateUrl(kTmallCodePath);
const Text kCode = templateUrl(kCodePath);
const Text kPreview = templateUrl(kPreviewPath);

TEST(DownloadUrls, UseTheBuiltInHost) {
  EXPECT_EQ(kTmall,
            "http://" + Text(LUMDRIFT_TEMPLATE_HOST) + "/derereravo/365687/gjx/kestry/tmb.txt");
  EXPECT_EQ(kPreview, "http://" + Text(LUMDRIFT_TEMPLATE_HOST) + "/derereravo/365687/yl/jsb.txt");
}

TEST(Download, FourRequestsInOrderWhenAllArrive) {
  ScriptedHttp http;
  http.answers[kTmall] = {"tmall"};
  http.answers[kCode] = {"code"};
  http.answers[kPreview] = {"page1", "page2"};
  ControlModel slots;
  downloadTemplates(http, slots);
  EXPECT_EQ(http.requested, (std::vector<Text>{kTmall, kCode, kPreview, kPreview}));
  EXPECT_EQ(slots.text(编辑框7), "tmall");
  EXPECT_EQ(slots.text(编辑框8), "code");
  EXPECT_EQ(slots.text(编辑框10), "page1");
  EXPECT_EQ(slots.text(编辑框11), "page2");
}

TEST(Download, ServerUnreachableMakesSixRequests) {
  ScriptedHttp http;
  ControlModel slots;
  downloadTemplates(http, slots);
  EXPECT_EQ(http.requested, (std::vector<Text>{kTmall, kCode, kPreview, kPreview, kTmall, kCode}));
  for (ControlId slot : {编辑框7, 编辑框8, 编辑框10, 编辑框11}) EXPECT_EQ(slots.text(slot), "");
}

TEST(Download, EmptyTmallTemplateRepeatsBothCodeTemplates) {
  ScriptedHttp http;
  http.answers[kTmall] = {"", "tmall again"};
  http.answers[kCode] = {"code", ""};  // the repeat empties it again
  http.answers[kPreview] = {"p", "p"};
  ControlModel slots;
  downloadTemplates(http, slots);
  EXPECT_EQ(http.requested.size(), 6u);
  EXPECT_EQ(slots.text(编辑框7), "tmall again");
  EXPECT_EQ(slots.text(编辑框8), "");
}

TEST(Download, OnlyCodeTemplateMissingIsNotRepeated) {
  ScriptedHttp http;
  http.answers[kTmall] = {"t"};
  http.answers[kPreview] = {"p", "p"};
  ControlModel slots;
  downloadTemplates(http, slots);
  EXPECT_EQ(http.requested.size(), 4u);
  EXPECT_EQ(slots.text(编辑框8), "");
}

TEST(Download, BodyIsCutAtTheFirstZeroByte) {
  ScriptedHttp http;
  http.answers[kTmall] = {std::string("ab\0cd", 5)};
  http.answers[kCode] = {std::string("\0x", 2)};
  ControlModel slots;
  downloadTemplates(http, slots);
  EXPECT_EQ(slots.text(编辑框7), "ab");
  EXPECT_EQ(slots.text(编辑框8), "");
}

}  // namespace
}  // namespace lumdrift
