#pragma once
// An HTTP server the tests script: a plain HTTP/1.0 server on 127.0.0.1, on a
// thread of the test process, that answers each path with the responses it was
// given and logs every request it receives.

#include <winsock2.h>
// winsock2.h before windows.h
#include <windows.h>

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace lumdrift::test {

struct Response {
  int status = 200;
  std::string body;
  bool contentLength = true;  // false: the body ends when the connection closes
  // Bytes of the body sent before the connection is dropped; the header still
  // announces the whole body. npos sends it all.
  std::size_t cutAfter = std::string::npos;
  bool reset = false;        // drop a cut connection with a reset instead of a close
  bool stall = false;        // hold the connection until release() or the server stops
  bool resetAtOnce = false;  // reset the connection before answering anything
  // Announces this length instead of the body's own.
  std::optional<std::size_t> announcedLength;

  static Response withStatus(int status, std::string body) {
    Response r;
    r.status = status;
    r.body = std::move(body);
    return r;
  }
  static Response ok(std::string body) { return withStatus(200, std::move(body)); }
  static Response notFound() {
    return withStatus(404, "<html><body><h1>404 Not Found</h1></body></html>\r\n");
  }
};

struct Request {
  std::string method, path, version;
  std::vector<std::pair<std::string, std::string>> headers;  // in the order sent
  // Values of every header of that name (case-insensitive), trimmed.
  std::vector<std::string> values(const std::string& name) const;
};

class ScriptedHttpServer {
 public:
  // Listens on 127.0.0.1 at the port, or at a free one for 0; listening()
  // tells whether the port could be taken.
  explicit ScriptedHttpServer(std::uint16_t port = 0);
  ~ScriptedHttpServer();
  ScriptedHttpServer(const ScriptedHttpServer&) = delete;
  ScriptedHttpServer& operator=(const ScriptedHttpServer&) = delete;

  bool listening() const { return listener_ != INVALID_SOCKET; }
  std::uint16_t port() const { return port_; }
  std::string url(const std::string& path) const;

  // Each request for the path takes the next response; the last one repeats.
  // Paths without responses get 404.
  void script(const std::string& path, std::vector<Response> responses);
  void release();  // lets every stalled connection answer

  std::vector<Request> requests() const;
  std::vector<std::string> paths() const;
  std::size_t answered() const;  // answers sent and taken whole or cut as scripted
  bool waitForRequests(std::size_t count, DWORD timeoutMs) const;
  bool waitForAnswered(std::size_t count, DWORD timeoutMs) const;

 private:
  void serve();
  void answer(SOCKET client);
  Response next(const std::string& path);

  SOCKET listener_ = INVALID_SOCKET;
  std::uint16_t port_ = 0;
  HANDLE stop_ = nullptr;
  HANDLE released_ = nullptr;
  std::thread thread_;
  std::vector<std::thread> connections_;  // used by the serving thread only
  mutable std::mutex mutex_;
  std::map<std::string, std::deque<Response>> scripts_;
  std::vector<Request> log_;
  std::size_t answered_ = 0;
};

}  // namespace lumdrift::test
