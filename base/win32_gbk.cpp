#include <windows.h>

#include <climits>

#include "base/gbk.h"
#include "base/win32_debug_log.h"
#include "base/win32_text.h"

namespace lumdrift {
namespace {

constexpr UINT kGbk = 936;

}  // namespace

Text decodeGbk(std::string_view bytes) {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const auto size = static_cast<int>(bytes.size());
  const int n = MultiByteToWideChar(kGbk, 0, bytes.data(), size, nullptr, 0);
  if (n <= 0) {
    win32::failed("MultiByteToWideChar from GBK");
    return {};
  }
  std::wstring utf16(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(kGbk, 0, bytes.data(), size, utf16.data(), n);
  return win32::narrow(utf16);
}

bool appendGbk(std::string_view text, std::string& out) {
  if (text.empty()) return true;
  const std::wstring utf16 = win32::wide(text);
  if (utf16.empty() || utf16.size() > INT_MAX) return false;
  const auto size = static_cast<int>(utf16.size());
  // Without WC_NO_BEST_FIT_CHARS a character GBK lacks would quietly become a
  // look-alike; with it, the default character is used and reported.
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, utf16.data(), size, nullptr, 0,
                                    nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return false;
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(n));
  WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, utf16.data(), size, out.data() + at, n, nullptr,
                      nullptr);
  return true;
}

}  // namespace lumdrift
