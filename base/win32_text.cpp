#include "base/win32_text.h"

#include <windows.h>

#include <climits>

namespace lumdrift::win32 {

// Both directions go through the system with the code page named, never the
// user's code page. Malformed input becomes U+FFFD rather than failing: a text
// read back from a control may hold a lone surrogate, and it must still reach
// the clipboard and the page.
std::wstring wide(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) {
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  }
  return out;
}

Text narrow(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  Text out(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) {
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
  }
  return out;
}

}  // namespace lumdrift::win32
