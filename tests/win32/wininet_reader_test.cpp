#include "templates/wininet_reader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "local_http_server.h"
#include "templates/response_body.h"

namespace lumdrift {
namespace {

using test::answer;
using test::Answer;
using test::LocalHttpServer;
using ::testing::HasSubstr;
using ::testing::StartsWith;

std::string pattern(std::size_t size) {
  std::string s(size, '\0');
  for (std::size_t i = 0; i < size; ++i) s[i] = static_cast<char>('a' + (i * 7 + i / 251) % 26);
  return s;
}

class WinInetReaderTest : public ::testing::Test {
 protected:
  LocalHttpServer server;
  WinInetReader reader;
};

TEST_F(WinInetReaderTest, WholeBodiesArriveWhateverTheAnnouncedLength) {
  const std::string gbk = "模板 <div>宽度×高度</div>\r\n";
  server.set("/gbk.txt", answer(200, gbk));
  server.set("/100.txt", answer(200, pattern(100)));
  server.set("/500000.txt", answer(200, pattern(500000)));
  server.set("/unannounced.txt", answer(200, pattern(70001), false));
  server.set("/zero.txt", answer(200, std::string("before\0after", 12)));
  server.set("/empty.txt", answer(200, ""));

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

TEST_F(WinInetReaderTest, EveryFailedFetchIsEmpty) {
  server.set("/404.txt", answer(404, "<html>Not Found</html>"));
  server.set("/500.txt", answer(500, "<html>Server Error</html>"));
  Answer cut = answer(200, pattern(5000));
  cut.sendOnly = 1200;
  server.set("/cut.txt", cut);
  Answer reset = answer(200, pattern(300000));
  reset.sendOnly = 150000;
  reset.reset = true;
  server.set("/reset.txt", reset);
  Answer huge;
  huge.head = "HTTP/1.0 200 OK\r\nContent-Length: " + std::to_string(kMaxBodyBytes + 1);
  server.set("/huge.txt", huge);

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
    LocalHttpServer closed;
    gone = closed.url("/a.txt");
  }
  EXPECT_EQ(reader.read(gone), "");
  // The session survives the failures.
  server.set("/ok.txt", answer(200, "still fine"));
  EXPECT_EQ(reader.read(server.url("/ok.txt")), "still fine");
}

TEST_F(WinInetReaderTest, BodyPastTheCeilingWithoutLengthIsEmpty) {
  server.set("/limit.txt", answer(200, std::string(kMaxBodyBytes, 'x'), false));
  server.set("/past.txt", answer(200, std::string(kMaxBodyBytes + 1, 'x'), false));
  EXPECT_EQ(reader.read(server.url("/limit.txt")).size(), kMaxBodyBytes);
  EXPECT_EQ(reader.read(server.url("/past.txt")), "");
}

TEST_F(WinInetReaderTest, SendsAnHttp10GetWithTheAgentAndAcceptingAllTypes) {
  server.set("/derereravo/365687/yl/jsb.txt", answer(200, "page"));
  server.set("/q.txt?v=1", answer(200, "query"));
  EXPECT_EQ(reader.read(server.url("/derereravo/365687/yl/jsb.txt")), "page");
  EXPECT_EQ(reader.read(server.url("/q.txt?v=1#part")), "query");

  const std::vector<std::string> requests = server.requests();
  ASSERT_EQ(requests.size(), 2u);
  const std::string& first = requests[0];
  EXPECT_THAT(first, StartsWith("GET /derereravo/365687/yl/jsb.txt HTTP/1.0\r\n"));
  EXPECT_THAT(first,
              HasSubstr("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"));
  EXPECT_THAT(first, HasSubstr("\r\nAccept: */*"));
  EXPECT_THAT(first, HasSubstr("\r\nHost: 127.0.0.1:"));
  // The fragment stays behind, the query goes along.
  EXPECT_THAT(requests[1], StartsWith("GET /q.txt?v=1 HTTP/1.0\r\n"));
}

TEST_F(WinInetReaderTest, EveryReadAsksTheServerAnew) {
  server.set("/t.txt", answer(200, "first"));
  EXPECT_EQ(reader.read(server.url("/t.txt")), "first");
  server.set("/t.txt", answer(200, "second"));
  EXPECT_EQ(reader.read(server.url("/t.txt")), "second");
  EXPECT_EQ(server.requests().size(), 2u);
}

}  // namespace
}  // namespace lumdrift
