#include "templates/download_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <map>
#include <thread>

#include "templates/template_source.h"
#include "templates/template_store.h"

namespace lumdrift {
namespace {

using enum TemplateId;

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

const Text kTmallUrl = templateUrl(kTmallCodePath);
const Text kCodeUrl = templateUrl(kCodePath);
const Text kPreviewUrl = templateUrl(kPreviewPath);

TEST(DownloadUrls, UseTheBuiltInHost) {
  EXPECT_EQ(kTmallUrl,
            "http://" + Text(LUMDRIFT_TEMPLATE_HOST) + "/derereravo/365687/gjx/kestry/tmb.txt");
  EXPECT_EQ(kPreviewUrl,
            "http://" + Text(LUMDRIFT_TEMPLATE_HOST) + "/derereravo/365687/yl/jsb.txt");
}

TEST(Download, FourRequestsInOrderWhenAllArrive) {
  ScriptedHttp http;
  http.answers[kTmallUrl] = {"tmall"};
  http.answers[kCodeUrl] = {"code"};
  http.answers[kPreviewUrl] = {"page1", "page2"};
  SharedTemplateStore slots;
  downloadTemplates(http, slots);
  EXPECT_EQ(http.requested, (std::vector<Text>{kTmallUrl, kCodeUrl, kPreviewUrl, kPreviewUrl}));
  EXPECT_EQ(slots.read(TmallCode), "tmall");
  EXPECT_EQ(slots.read(Code), "code");
  EXPECT_EQ(slots.read(Preview), "page1");
  EXPECT_EQ(slots.read(TmallPreview), "page2");
}

TEST(Download, ServerUnreachableMakesSixRequests) {
  ScriptedHttp http;
  SharedTemplateStore slots;
  downloadTemplates(http, slots);
  EXPECT_EQ(http.requested, (std::vector<Text>{kTmallUrl, kCodeUrl, kPreviewUrl, kPreviewUrl,
                                               kTmallUrl, kCodeUrl}));
  for (TemplateId slot : {TmallCode, Code, Preview, TmallPreview}) EXPECT_EQ(slots.read(slot), "");
}

TEST(Download, EmptyTmallTemplateRepeatsBothCodeTemplates) {
  ScriptedHttp http;
  http.answers[kTmallUrl] = {"", "tmall again"};
  http.answers[kCodeUrl] = {"code", ""};  // the repeat empties it again
  http.answers[kPreviewUrl] = {"p", "p"};
  SharedTemplateStore slots;
  downloadTemplates(http, slots);
  EXPECT_EQ(http.requested.size(), 6u);
  EXPECT_EQ(slots.read(TmallCode), "tmall again");
  EXPECT_EQ(slots.read(Code), "");
}

TEST(Download, OnlyCodeTemplateMissingIsNotRepeated) {
  ScriptedHttp http;
  http.answers[kTmallUrl] = {"t"};
  http.answers[kPreviewUrl] = {"p", "p"};
  SharedTemplateStore slots;
  downloadTemplates(http, slots);
  EXPECT_EQ(http.requested.size(), 4u);
  EXPECT_EQ(slots.read(Code), "");
}

TEST(Download, BodyIsCutAtTheFirstZeroByte) {
  ScriptedHttp http;
  http.answers[kTmallUrl] = {std::string("ab\0cd", 5)};
  http.answers[kCodeUrl] = {std::string("\0x", 2)};
  SharedTemplateStore slots;
  downloadTemplates(http, slots);
  EXPECT_EQ(slots.read(TmallCode), "ab");
  EXPECT_EQ(slots.read(Code), "");
}

TEST(TemplateStore, ReadsAreWholeWhileAnotherThreadWrites) {
  SharedTemplateStore store;
  const std::string a(256 * 1024, 'a');
  const std::string b(384 * 1024, 'b');
  std::atomic<bool> stop = false;
  std::thread worker([&] {
    for (int i = 0; !stop; ++i) store.write(TmallCode, i % 2 ? b : a);
  });
  int torn = 0;
  for (int i = 0; i < 2000; ++i) {
    const Text seen = store.read(TmallCode);
    if (!(seen.empty() || seen == a || seen == b)) ++torn;
  }
  stop = true;
  worker.join();
  EXPECT_EQ(torn, 0);
}

}  // namespace
}  // namespace lumdrift
