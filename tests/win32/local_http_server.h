#pragma once
// A plain HTTP server on 127.0.0.1 inside the test process: each connection
// gets the answer the test set for its path, and every request is kept as it
// arrived on the wire.

#include <winsock2.h>
// winsock2.h must come before windows.h
#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lumdrift::test {

struct Answer {
  std::string head;  // status line and headers, without the blank line
  std::string body;
  std::size_t sendOnly = std::string::npos;  // bytes of the body sent before the cut
  bool reset = false;                        // cut with a reset rather than a close
};

// An answer with the status and, unless lengthHeader is false, Content-Length.
Answer answer(int status, std::string body, bool lengthHeader = true);

class LocalHttpServer {
 public:
  LocalHttpServer();
  ~LocalHttpServer();
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  void set(const std::string& path, Answer a);
  std::string url(const std::string& path) const;
  std::vector<std::string> requests() const;  // request line and headers, in order

 private:
  void serve();
  void handle(SOCKET client);

  SOCKET listener_ = INVALID_SOCKET;
  unsigned short port_ = 0;
  std::thread thread_;
  mutable std::mutex mutex_;
  std::map<std::string, Answer> answers_;
  std::vector<std::string> requests_;
};

}  // namespace lumdrift::test
