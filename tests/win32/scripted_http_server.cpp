#include "tests/win32/scripted_http_server.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace lumdrift::test {
namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
    s.remove_suffix(1);
  return std::string(s);
}

const char* reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    default: return "Status";
  }
}

bool sendAll(SOCKET s, const char* data, std::size_t size) {
  while (size > 0) {
    const int chunk = static_cast<int>(std::min<std::size_t>(size, 1 << 20));
    const int sent = send(s, data, chunk, 0);
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<std::size_t>(sent);
  }
  return true;
}

Request parse(const std::string& head) {
  Request r;
  std::size_t lineEnd = head.find("\r\n");
  const std::string first = head.substr(0, lineEnd);
  const std::size_t a = first.find(' ');
  const std::size_t b = first.rfind(' ');
  if (a != std::string::npos && b != std::string::npos && a < b) {
    r.method = first.substr(0, a);
    r.path = first.substr(a + 1, b - a - 1);
    r.version = first.substr(b + 1);
  }
  while (lineEnd != std::string::npos) {
    const std::size_t start = lineEnd + 2;
    lineEnd = head.find("\r\n", start);
    const std::string line = head.substr(start, lineEnd - start);
    const std::size_t colon = line.find(':');
    if (line.empty() || colon == std::string::npos) continue;
    r.headers.emplace_back(line.substr(0, colon), trim(std::string_view(line).substr(colon + 1)));
  }
  return r;
}

}  // namespace

std::vector<std::string> Request::values(const std::string& name) const {
  std::vector<std::string> out;
  for (const auto& [key, value] : headers)
    if (lower(key) == lower(name)) out.push_back(value);
  return out;
}

ScriptedHttpServer::ScriptedHttpServer(std::uint16_t port) {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  stop_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  released_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(port);
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  // The previous test's connections may still linger on the port for a moment.
  for (int attempt = 0; attempt < 50 && listener_ == INVALID_SOCKET; ++attempt) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    BOOL on = TRUE;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
    if (bind(s, reinterpret_cast<sockaddr*>(&addr), sizeof addr) == 0 && listen(s, 16) == 0) {
      listener_ = s;
    } else {
      closesocket(s);
      Sleep(100);
    }
  }
  if (listener_ == INVALID_SOCKET) return;
  int length = sizeof addr;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &length);
  port_ = ntohs(addr.sin_port);
  thread_ = std::thread([this] { serve(); });
}

std::string ScriptedHttpServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

ScriptedHttpServer::~ScriptedHttpServer() {
  SetEvent(stop_);
  if (thread_.joinable()) thread_.join();
  if (listener_ != INVALID_SOCKET) closesocket(listener_);
  CloseHandle(stop_);
  CloseHandle(released_);
  WSACleanup();
}

void ScriptedHttpServer::script(const std::string& path, std::vector<Response> responses) {
  std::lock_guard lock(mutex_);
  scripts_[path] = std::deque<Response>(responses.begin(), responses.end());
}

void ScriptedHttpServer::release() {
  SetEvent(released_);
}

std::vector<Request> ScriptedHttpServer::requests() const {
  std::lock_guard lock(mutex_);
  return log_;
}

std::vector<std::string> ScriptedHttpServer::paths() const {
  std::vector<std::string> out;
  for (const Request& r : requests()) out.push_back(r.path);
  return out;
}

std::size_t ScriptedHttpServer::answered() const {
  std::lock_guard lock(mutex_);
  return answered_;
}

bool ScriptedHttpServer::waitForRequests(std::size_t count, DWORD timeoutMs) const {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (requests().size() < count) {
    if (GetTickCount64() > end) return false;
    Sleep(20);
  }
  return true;
}

bool ScriptedHttpServer::waitForAnswered(std::size_t count, DWORD timeoutMs) const {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (answered() < count) {
    if (GetTickCount64() > end) return false;
    Sleep(20);
  }
  return true;
}

Response ScriptedHttpServer::next(const std::string& path) {
  std::lock_guard lock(mutex_);
  auto it = scripts_.find(path);
  if (it == scripts_.end() || it->second.empty()) return Response::notFound();
  Response r = it->second.front();
  if (it->second.size() > 1) it->second.pop_front();
  return r;
}

void ScriptedHttpServer::serve() {
  while (WaitForSingleObject(stop_, 0) == WAIT_TIMEOUT) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_, &readable);
    timeval tick{0, 50000};
    if (select(0, &readable, nullptr, nullptr, &tick) <= 0) continue;
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    // One thread per connection: an answer the reader stops taking must not
    // hold up the next request.
    connections_.emplace_back([this, client] { answer(client); });
  }
  for (std::thread& connection : connections_) connection.join();
}

void ScriptedHttpServer::answer(SOCKET client) {
  DWORD readTimeout = 5000, sendTimeout = 20000;
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&readTimeout),
             sizeof readTimeout);
  setsockopt(client, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&sendTimeout),
             sizeof sendTimeout);
  std::string head;
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
    const int got = recv(client, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    head.append(buffer, static_cast<std::size_t>(got));
  }
  const Request request = parse(head);
  {
    std::lock_guard lock(mutex_);
    log_.push_back(request);
  }
  const Response response = next(request.path);
  if (response.resetAtOnce) {
    linger hard{1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
    closesocket(client);
    std::lock_guard lock(mutex_);
    ++answered_;
    return;
  }
  if (response.stall) {
    const HANDLE events[] = {released_, stop_};
    if (WaitForMultipleObjects(2, events, FALSE, INFINITE) != WAIT_OBJECT_0) {
      closesocket(client);
      return;
    }
  }
  std::string header = "HTTP/1.0 " + std::to_string(response.status) + " " +
                       reason(response.status) + "\r\nContent-Type: text/plain\r\n";
  if (response.contentLength) {
    header += "Content-Length: " +
              std::to_string(response.announcedLength.value_or(response.body.size())) + "\r\n";
  }
  header += "Connection: close\r\n\r\n";
  const std::size_t bodyBytes = std::min(response.cutAfter, response.body.size());
  if (sendAll(client, header.data(), header.size()))
    sendAll(client, response.body.data(), bodyBytes);
  if (response.reset) {
    linger hard{1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
  } else {
    shutdown(client, SD_SEND);
    // Wait for the reader to close its side, so that "answered" means the
    // whole response has been taken.
    DWORD drainTimeout = 1000;
    setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&drainTimeout),
               sizeof drainTimeout);
    while (recv(client, buffer, sizeof buffer, 0) > 0) {
    }
  }
  closesocket(client);
  std::lock_guard lock(mutex_);
  ++answered_;
}

}  // namespace lumdrift::test
