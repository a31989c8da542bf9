#include "templates/download_worker.h"

#include <gtest/gtest.h>

#include <atomic>
#include <deque>
#include <fstream>
#include <map>
#include <sstream>
#include <thread>

#include "base/gbk.h"
#include "templates/builtin_templates.h"

namespace lumdrift {
namespace {

using enum TemplateId;

// Answers each path from a queue of bodies, in order; "" once the queue is dry.
struct ScriptedHttp : HttpReader {
  std::map<std::string, std::deque<std::string>> answers;
  std::vector<std::string> requested;
  std::string read(const Text& url) override {
    const std::string prefix = "http://" LUMDRIFT_TEMPLATE_HOST;
    EXPECT_EQ(url.substr(0, prefix.size()), prefix);
    const std::string path = url.substr(prefix.size());
    requested.push_back(path);
    auto& q = answers[path];
    if (q.empty()) return {};
    std::string body = q.front();
    q.pop_front();
    return body;
  }
};

struct RecordingLog : DebugLog {
  std::vector<std::string> lines;
  void line(std::string_view text) override { lines.emplace_back(text); }
};

const std::string kTmb = "/derereravo/365687/gjx/kestry/tmb.txt";
const std::string kJsb = "/derereravo/365687/gjx/kestry/jsb.txt";
const std::string kYl = "/derereravo/365687/yl/jsb.txt";
const std::vector<std::string> kFour = {kTmb, kJsb, kYl, kYl};
const std::vector<std::string> kSix = {kTmb, kJsb, kYl, kYl, kTmb, kJsb};

// A file of the template site as it is in the source tree.
std::string siteFile(const std::string& path) {
  std::string file = LUMDRIFT_SITE_DIR + path;
#ifdef _WIN32
  file = "Z:" + file;  // the tests run under Wine, which maps the Unix root to Z:
#endif
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  EXPECT_FALSE(bytes.str().empty()) << file;
  return bytes.str();
}

TEST(BuiltinTemplates, AreTheSiteFilesAsBuilt) {
  EXPECT_EQ(builtinTemplate(TmallCode), siteFile(kTmb));
  EXPECT_EQ(builtinTemplate(Code), siteFile(kJsb));
  EXPECT_EQ(builtinTemplate(Preview), siteFile(kYl));
  EXPECT_EQ(builtinTemplate(TmallPreview), siteFile(kYl));
  // A row added later gets its file embedded too: the build reads the rows.
  for (const Template& t : kTemplates) {
    EXPECT_EQ(builtinTemplate(t.id), siteFile(std::string(t.path))) << t.name;
  }
}

struct DownloadCase {
  const char* name;
  std::map<std::string, std::deque<std::string>> answers;
  std::vector<std::string> requests;
  // What each template reads once the download has ended; "site" is the
  // template site's own file, standing in for the server's copy.
  std::string tmallCode, code, preview, tmallPreview;
};

class Download : public ::testing::TestWithParam<DownloadCase> {};

TEST_P(Download, RequestsAndWhatGenerationReads) {
  const DownloadCase& c = GetParam();
  ScriptedHttp http;
  http.answers = c.answers;
  RecordingLog log;
  SharedTemplateStore store(log, 3600000);
  downloadTemplates(http, store);
  EXPECT_EQ(http.requested, c.requests);
  const auto expected = [](const std::string& e, const std::string& path) {
    return e == "site" ? decodeGbk(siteFile(path)) : e;
  };
  EXPECT_EQ(store.read(TmallCode), expected(c.tmallCode, kTmb));
  EXPECT_EQ(store.read(Code), expected(c.code, kJsb));
  EXPECT_EQ(store.read(Preview), expected(c.preview, kYl));
  EXPECT_EQ(store.read(TmallPreview), expected(c.tmallPreview, kYl));
  // Every stand-in is logged with its path, once.
  std::size_t standIns = 0;
  for (const std::string& e : {c.tmallCode, c.code, c.preview, c.tmallPreview}) {
    standIns += e == "site";
  }
  EXPECT_EQ(log.lines.size(), standIns);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Download,
    // The site serves GBK: 宽度 is BF ED B6 C8 on the wire.
    ::testing::Values(
        DownloadCase{"AllArrive",
                     {{kTmb, {"tmall"}}, {kJsb, {"w:\xBF\xED\xB6\xC8"}}, {kYl, {"page1", "page2"}}},
                     kFour,
                     "tmall",
                     "w:宽度",
                     "page1",
                     "page2"},
        DownloadCase{"ServerUnreachable", {}, kSix, "site", "site", "site", "site"},
        // The repeat after an empty Tmall template: a code template that came
        // the first time is kept when its second fetch fails.
        DownloadCase{"EmptyTmallTemplateRepeatsBoth",
                     {{kTmb, {"", "tmall again"}}, {kJsb, {"code", ""}}, {kYl, {"p", "q"}}},
                     kSix,
                     "tmall again",
                     "code",
                     "p",
                     "q"},
        DownloadCase{"TmallTemplateNeverComes",
                     {{kJsb, {"", "code"}}, {kYl, {"p", "q"}}},
                     kSix,
                     "site",
                     "code",
                     "p",
                     "q"},
        // An empty code template alone brings no repeat: its built-in copy
        // stands in at once.
        DownloadCase{"OnlyCodeTemplateMissing",
                     {{kTmb, {"t"}}, {kYl, {"p", ""}}},
                     kFour,
                     "t",
                     "site",
                     "p",
                     "site"},
        DownloadCase{"ZeroByteEndsTheText",
                     {{kTmb, {std::string("ab\0cd", 5)}},
                      {kJsb, {std::string("\0x", 2)}},
                      {kYl, {"p", "q"}}},
                     kFour,
                     "ab",
                     "site",
                     "p",
                     "q"}),
    [](const ::testing::TestParamInfo<DownloadCase>& info) { return info.param.name; });

TEST(TemplateStore, WaitsThenStandsInUntilTheServersCopyComes) {
  RecordingLog log;
  SharedTemplateStore patient(log, 3600000);
  EXPECT_EQ(patient.read(Code), "") << "still on its way: the click asks to wait";
  patient.delivered(Code, "");
  EXPECT_EQ(patient.read(Code), "") << "an empty answer is no template";

  SharedTemplateStore impatient(log, 0);
  EXPECT_EQ(impatient.read(Code), decodeGbk(siteFile(kJsb)));
  EXPECT_EQ(impatient.read(TmallPreview), decodeGbk(siteFile(kYl)));
  impatient.delivered(Code, "late but from the server");
  impatient.abandoned(Code);
  EXPECT_EQ(impatient.read(Code), "late but from the server");
  ASSERT_EQ(log.lines.size(), 3u);
  EXPECT_NE(log.lines[0].find(kJsb), std::string::npos) << log.lines[0];
  EXPECT_NE(log.lines[2].find(kJsb), std::string::npos) << log.lines[2];
}

TEST(TemplateStore, ReadsAreWholeWhileAnotherThreadWrites) {
  RecordingLog log;
  SharedTemplateStore store(log, 3600000);
  const std::string a(256 * 1024, 'a');
  const std::string b(384 * 1024, 'b');
  std::atomic<bool> stop = false;
  std::thread worker([&] {
    for (int i = 0; !stop; ++i) store.delivered(TmallCode, i % 2 ? b : a);
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
