#include "templates/win32_http_reader.h"

#include <gtest/gtest.h>

#include <thread>

#include "templates/response_body.h"
#include "tests/win32/scripted_http_server.h"

namespace lumdrift {
namespace {

using test::Response;
using test::ScriptedHttpServer;

std::string pattern(std::size_t size) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
  return s;
}

Response unsized(std::string body) {
  Response r = Response::ok(std::move(body));
  r.contentLength = false;
  return r;
}

class Win32HttpReaderTest : public ::testing::Test {
 protected:
  void serve(const std::string& path, Response r) { server.script(path, {std::move(r)}); }
  ScriptedHttpServer server;
  InternetSession session;
  Win32HttpReader reader{session};
};

TEST_F(Win32HttpReaderTest, WholeBodiesArriveWhateverTheAnnouncedLength) {
  const std::string gbk = "模板 <div>宽度×高度</div>\r\n";
  serve("/gbk.txt", Response::ok(gbk));
  serve("/100.txt", Response::ok(pattern(100)));
  serve("/500000.txt", Response::ok(pattern(500000)));
  serve("/unannounced.txt", unsized(pattern(70001)));
  serve("/zero.txt", Response::ok(std::string("before\0after", 12)));
  serve("/empty.txt", Response::ok(""));

  EXPECT_EQ(reader.read(server.url("/gbk.txt")), gbk);
  EXPECT_EQ(reader.read(server.url("/100.txt")), pattern(100));
  EXPECT_EQ(reader.read(server.url("/500000.txt")), pattern(500000));
  EXPECT_EQ(reader.read(server.url("/unannounced.txt")), pattern(70001));
  // The reader hands on every byte; the template stops at the zero byte.
  const std::string withZero = reader.read(server.url("/zero.txt"));
  EXPECT_EQ(withZero, std::string("before\0after", 12));
  EXPECT_EQ(bytesToText(withZero), "before");
  EXPECT_EQ(reader.read(server.url("/empty.txt")), "");
}

TEST_F(Win32HttpReaderTest, EveryFailedFetchIsEmpty) {
  serve("/404.txt", Response::notFound());
  serve("/500.txt", Response::withStatus(500, "<html>Server Error</html>"));
  Response cut = Response::ok(pattern(5000));
  cut.cutAfter = 1200;
  serve("/cut.txt", cut);
  Response reset = Response::ok(pattern(300000));
  reset.cutAfter = 150000;
  reset.reset = true;
  serve("/reset.txt", reset);
  Response huge = Response::ok("");
  huge.announcedLength = kMaxBodyBytes + 1;
  serve("/huge.txt", huge);

  EXPECT_EQ(reader.read(server.url("/404.txt")), "");
  EXPECT_EQ(reader.read(server.url("/500.txt")), "");
  EXPECT_EQ(reader.read(server.url("/cut.txt")), "");
  EXPECT_EQ(reader.read(server.url("/reset.txt")), "");
  EXPECT_EQ(reader.read(server.url("/huge.txt")), "");
  EXPECT_EQ(reader.read(""), "");
  EXPECT_EQ(reader.read("not a url"), "");
  // A port nobody listens on: the server's own port once it has gone.
  std::string gone;
  {
    ScriptedHttpServer closed;
    gone = closed.url("/a.txt");
  }
  EXPECT_EQ(reader.read(gone), "");
  // The session survives the failures.
  serve("/ok.txt", Response::ok("still fine"));
  EXPECT_EQ(reader.read(server.url("/ok.txt")), "still fine");
}

TEST_F(Win32HttpReaderTest, ServerThatNeverAnswersFailsAfterTheTimeout) {
  Response silent = Response::ok("too late");
  silent.stall = true;
  serve("/silent.txt", silent);
  Win32HttpReader impatient(session, 1500);
  const ULONGLONG before = GetTickCount64();
  EXPECT_EQ(impatient.read(server.url("/silent.txt")), "");
  const ULONGLONG took = GetTickCount64() - before;
  EXPECT_GE(took, 1000u);
  EXPECT_LT(took, 6000u) << "the request waited " << took << " ms";
  server.release();
}

// The exit closes the session while the download may still wait on a silent
// server: closing must not wait for that request, and nothing reopens the
// session afterwards.
TEST_F(Win32HttpReaderTest, ClosingTheSessionDoesNotWaitAndEndsLaterReads) {
  Response silent = Response::ok("too late");
  silent.stall = true;
  serve("/silent.txt", silent);
  Win32HttpReader impatient(session, 3000);
  std::string body = "not read";
  std::thread waiting([&] { body = impatient.read(server.url("/silent.txt")); });
  Sleep(500);
  const ULONGLONG before = GetTickCount64();
  session.close();
  const ULONGLONG took = GetTickCount64() - before;
  waiting.join();
  EXPECT_LT(took, 1000u) << "closing waited " << took << " ms";
  EXPECT_EQ(body, "");
  serve("/t.txt", Response::ok("after"));
  EXPECT_EQ(reader.read(server.url("/t.txt")), "");
  server.release();
}

TEST_F(Win32HttpReaderTest, BodyPastTheCeilingWithoutLengthIsEmpty) {
  serve("/limit.txt", unsized(std::string(kMaxBodyBytes, 'x')));
  serve("/past.txt", unsized(std::string(kMaxBodyBytes + 1, 'x')));
  EXPECT_EQ(reader.read(server.url("/limit.txt")).size(), kMaxBodyBytes);
  EXPECT_EQ(reader.read(server.url("/past.txt")), "");
}

TEST_F(Win32HttpReaderTest, SendsAnHttp10GetWithTheAgentAndAcceptingAllTypes) {
  serve("/derereravo/365687/yl/jsb.txt", Response::ok("page"));
  serve("/q.txt?v=1", Response::ok("query"));
  EXPECT_EQ(reader.read(server.url("/derereravo/365687/yl/jsb.txt")), "page");
  EXPECT_EQ(reader.read(server.url("/q.txt?v=1#part")), "query");

  const std::vector<test::Request> requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  const test::Request& first = requests[0];
  EXPECT_EQ(first.method, "GET");
  EXPECT_EQ(first.path, "/derereravo/365687/yl/jsb.txt");
  EXPECT_EQ(first.version, "HTTP/1.0");
  EXPECT_EQ(first.values("User-Agent"),
            std::vector<std::string>{"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)"});
  ASSERT_FALSE(first.values("Accept").empty());
  EXPECT_EQ(first.values("Accept")[0], "*/*");
  EXPECT_EQ(first.values("Host"),
            std::vector<std::string>{"127.0.0.1:" + std::to_string(server.port())});
  // The fragment stays behind, the query goes along.
  EXPECT_EQ(requests[1].path, "/q.txt?v=1");
}

TEST_F(Win32HttpReaderTest, EveryReadAsksTheServerAnew) {
  serve("/t.txt", Response::ok("first"));
  EXPECT_EQ(reader.read(server.url("/t.txt")), "first");
  serve("/t.txt", Response::ok("second"));
  EXPECT_EQ(reader.read(server.url("/t.txt")), "second");
  EXPECT_EQ(server.requests().size(), 2u);
}

}  // namespace
}  // namespace lumdrift
