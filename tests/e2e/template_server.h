#pragma once
// A template server the tests script: a plain HTTP server on a thread of the
// test process that answers each path with the responses it was given and
// logs every request it receives.

#include <winsock2.h>
// winsock2.h before windows.h
#include <windows.h>

#include <cstdint>
#include <deque>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lumdrift::e2e {

struct Response {
  int status = 200;
  std::string body;
  bool contentLength = true;  // false: the body ends when the connection closes
  // Bytes of the body sent before the connection is dropped; the header still
  // announces the whole body. npos sends it all.
  std::size_t cutAfter = std::string::npos;
  bool reset = false;  // drop a cut connection with a reset instead of a close
  bool stall = false;  // hold the connection until release() or the server stops

  static Response ok(std::string body) { return Response{200, std::move(body)}; }
  static Response notFound() {
    return Response{404, "<html><body><h1>404 Not Found</h1></body></html>\r\n"};
  }
};

struct Request {
  std::string method, path, version;
  std::vector<std::pair<std::string, std::string>> headers;  // in the order sent
  // Values of every header of that name (case-insensitive), trimmed.
  std::vector<std::string> values(const std::string& name) const;
};

class TemplateServer {
 public:
  // Listens on 127.0.0.1 at the port of the template host the tool was built
  // with; fails the calling test when the port can't be taken.
  TemplateServer();
  ~TemplateServer();
  TemplateServer(const TemplateServer&) = delete;
  TemplateServer& operator=(const TemplateServer&) = delete;

  bool listening() const { return listener_ != INVALID_SOCKET; }
  static std::uint16_t port();

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
  HANDLE stop_ = nullptr;
  HANDLE released_ = nullptr;
  std::thread thread_;
  std::vector<std::thread> connections_;  // used by the serving thread only
  mutable std::mutex mutex_;
  std::map<std::string, std::deque<Response>> scripts_;
  std::vector<Request> log_;
  std::size_t answered_ = 0;
};

// The paths of the templates and what the tests serve at them.
inline constexpr char kTmallCode[] = "/derereravo/365687/gjx/kestry/tmb.txt";
inline constexpr char kCode[] = "/derereravo/365687/gjx/kestry/jsb.txt";
inline constexpr char kPreview[] = "/derereravo/365687/yl/jsb.txt";

}  // namespace lumdrift::e2e
