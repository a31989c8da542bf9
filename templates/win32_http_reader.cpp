#include "templates/win32_http_reader.h"

#include <cstdlib>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "base/win32_debug_log.h"
#include "base/win32_handles.h"
#include "templates/response_body.h"

namespace lumdrift {
namespace {

using win32::InternetHandle;

struct FreeDeleter {
  void operator()(char* p) const { std::free(p); }
};

// Every failed fetch is logged with its URL, so that a person can see why the
// server's copy was not used.
std::string fetchFailed(const Text& url, std::string_view what, unsigned long long code) {
  win32::debugLine("GET " + url + ": " + std::string(what) + " " + std::to_string(code));
  return {};
}
std::string fetchFailedWithLastError(const Text& url, std::string_view what,
                                     win32::Where where = win32::Where::current()) {
  const DWORD error = GetLastError();  // before anything else can change it
  win32::failedWith("GET " + url + ": " + std::string(what), error, where);
  return {};
}

constexpr char kAgent[] = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

std::optional<Text> canonical(const Text& url) {
  Text out(url.size() * 3 + 16, '\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    DWORD size = static_cast<DWORD>(out.size());
    if (InternetCanonicalizeUrlA(url.c_str(), out.data(), &size, ICU_NO_ENCODE)) {
      out.resize(size);
      return out;
    }
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) break;
    out.assign(size + 1, '\0');
  }
  return std::nullopt;
}

struct UrlParts {
  INTERNET_SCHEME scheme = INTERNET_SCHEME_UNKNOWN;
  INTERNET_PORT port = 0;
  char host[256] = {};
  char user[128] = {};
  char password[128] = {};
  char path[2048] = {};
};

bool crack(const Text& url, UrlParts& parts) {
  URL_COMPONENTSA c = {};
  c.dwStructSize = sizeof c;
  c.lpszHostName = parts.host;
  c.dwHostNameLength = sizeof parts.host;
  c.lpszUserName = parts.user;
  c.dwUserNameLength = sizeof parts.user;
  c.lpszPassword = parts.password;
  c.dwPasswordLength = sizeof parts.password;
  c.lpszUrlPath = parts.path;
  c.dwUrlPathLength = sizeof parts.path;
  if (!InternetCrackUrlA(url.c_str(), static_cast<DWORD>(url.size()), 0, &c)) return false;
  parts.scheme = c.nScheme;
  parts.port = c.nPort;
  return true;
}

// The session is opened DIRECT and each connection then switches it to the
// proxy of the system's internet settings, with empty proxy credentials: the
// sequence through which the template server has always been reached, so that
// a seller's proxy sees the requests it has always let through.
void usePreconfiguredProxy(HINTERNET root, HINTERNET connection) {
  INTERNET_PROXY_INFO proxy = {};
  proxy.dwAccessType = INTERNET_OPEN_TYPE_PRECONFIG;
  if (!InternetSetOptionA(root, INTERNET_OPTION_PROXY, &proxy, sizeof proxy)) {
    win32::failed("InternetSetOption of the proxy");
  }
  char empty[1] = {};
  if (!InternetSetOptionA(connection, INTERNET_OPTION_PROXY_USERNAME, empty, 1)) {
    win32::failed("InternetSetOption of the proxy user name");
  }
  if (!InternetSetOptionA(connection, INTERNET_OPTION_PROXY_PASSWORD, empty, 1)) {
    win32::failed("InternetSetOption of the proxy password");
  }
}

// Without them a server that accepts and never answers holds the request for
// the system's defaults, minutes on some systems.
void limitWaiting(HINTERNET handle, DWORD timeoutMs) {
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    if (!InternetSetOptionA(handle, option, &timeoutMs, sizeof timeoutMs)) {
      win32::failed("InternetSetOption of a time-out");
    }
  }
}

// The response status; 0 when the response has none.
DWORD statusOf(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof status;
  if (!HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                      nullptr)) {
    win32::failed("HttpQueryInfo of the status");
    return 0;
  }
  return status;
}

std::optional<Text> contentLength(HINTERNET request) {
  char value[32] = {};
  DWORD size = sizeof value;
  // No length is no failure: the body then runs to the end of the response.
  if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, value, &size, nullptr)) {
    return std::nullopt;
  }
  return Text(value, size);
}

}  // namespace

HINTERNET InternetSession::handle() {
  std::lock_guard lock(guard_);
  if (!root_ && !closed_) {
    root_ = win32::InternetHandle(
        InternetOpenA(kAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  }
  return root_.get();
}

void InternetSession::close() {
  std::lock_guard lock(guard_);
  closed_ = true;
  if (!root_.close()) win32::failed("InternetCloseHandle of the session");
}

std::string Win32HttpReader::read(const Text& url) {
  if (url.empty()) return {};
  const std::optional<Text> canon = canonical(url);
  UrlParts parts;
  if (!canon || !crack(*canon, parts)) return fetchFailedWithLastError(url, "splitting the URL");
  HINTERNET root = session_.handle();
  if (root == nullptr) return fetchFailedWithLastError(url, "InternetOpen");
  InternetHandle connection(InternetConnectA(root, parts.host, parts.port, parts.user,
                                             parts.password, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) return fetchFailedWithLastError(url, "InternetConnect");
  usePreconfiguredProxy(root, connection.get());

  Text path(parts.path);
  if (const std::size_t hash = path.find('#'); hash != Text::npos) path.resize(hash);
  // The accept type is a whole header line, as the template server has always
  // received it; the header sent below says the same.
  const char* acceptTypes[] = {"Accept: */* \r\n", nullptr};
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
  if (parts.scheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
  InternetHandle request(HttpOpenRequestA(connection.get(), "GET", path.c_str(), "HTTP/1.0",
                                          nullptr, acceptTypes, flags, 0));
  if (!request) return fetchFailedWithLastError(url, "HttpOpenRequest");
  limitWaiting(request.get(), timeoutMs_);
  char extraHeaders[] = "Accept: */*\r\n\r\n";
  if (!HttpSendRequestA(request.get(), extraHeaders, sizeof extraHeaders - 1, nullptr, 0)) {
    return fetchFailedWithLastError(url, "HttpSendRequest");
  }
  // An error page or a cut body must never become a template.
  if (const DWORD status = statusOf(request.get()); status != HTTP_STATUS_OK) {
    return fetchFailed(url, "status", status);
  }
  const std::optional<Text> lengthHeader = contentLength(request.get());
  const std::optional<std::size_t> announced =
      lengthHeader ? parseContentLength(*lengthHeader) : std::nullopt;
  if (announced && *announced > kMaxBodyBytes) {
    return fetchFailed(url, "announced length over the limit,", *announced);
  }

  const std::size_t chunk = readChunkSize(lengthHeader);
  std::unique_ptr<char, FreeDeleter> buffer(static_cast<char*>(std::malloc(chunk)));
  if (!buffer) return fetchFailed(url, "no memory for a read buffer of", chunk);
  std::string body;
  for (;;) {
    DWORD got = 0;
    if (!InternetReadFile(request.get(), buffer.get(), static_cast<DWORD>(chunk), &got)) {
      return fetchFailedWithLastError(url, "InternetReadFile");
    }
    if (got == 0) break;
    body.append(buffer.get(), got);
    if (body.size() > kMaxBodyBytes) {
      return fetchFailed(url, "body over the limit after bytes", body.size());
    }
  }
  if (announced && body.size() < *announced) {
    return fetchFailed(url, "body cut short after bytes", body.size());
  }
  return body;
}

}  // namespace lumdrift
