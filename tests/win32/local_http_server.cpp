#include "local_http_server.h"

namespace lumdrift::test {

Answer answer(int status, std::string body, bool lengthHeader) {
  Answer a;
  a.head = "HTTP/1.0 " + std::to_string(status) + (status == 200 ? " OK" : " Error") +
           "\r\nContent-Type: text/plain";
  if (lengthHeader) a.head += "\r\nContent-Length: " + std::to_string(body.size());
  a.body = std::move(body);
  return a;
}

LocalHttpServer::LocalHttpServer() {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = {};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
  listen(listener_, 8);
  int length = sizeof address;
  getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
  port_ = ntohs(address.sin_port);
  thread_ = std::thread([this] { serve(); });
}

LocalHttpServer::~LocalHttpServer() {
  closesocket(listener_);  // ends the accept loop
  thread_.join();
  WSACleanup();
}

void LocalHttpServer::set(const std::string& path, Answer a) {
  std::lock_guard lock(mutex_);
  answers_[path] = std::move(a);
}

std::string LocalHttpServer::url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LocalHttpServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void LocalHttpServer::serve() {
  for (;;) {
    SOCKET client = accept(listener_, nullptr, nullptr);
    if (client == INVALID_SOCKET) return;
    handle(client);
  }
}

void LocalHttpServer::handle(SOCKET client) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    const int got = recv(client, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    request.append(buffer, got);
  }
  const std::size_t space = request.find(' ');
  const std::string path = request.substr(space + 1, request.find(' ', space + 1) - space - 1);
  Answer a;
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(request.substr(0, request.find("\r\n\r\n") + 2));
    const auto found = answers_.find(path);
    a = found != answers_.end() ? found->second : answer(404, "not found\r\n");
  }
  std::string bytes = a.head + "\r\n\r\n" + a.body.substr(0, a.sendOnly);
  for (std::size_t sent = 0; sent < bytes.size();) {
    const int n = send(client, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  if (a.reset) {
    linger hard = {1, 0};
    setsockopt(client, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&hard), sizeof hard);
  } else {
    shutdown(client, SD_SEND);
  }
  closesocket(client);
}

}  // namespace lumdrift::test
