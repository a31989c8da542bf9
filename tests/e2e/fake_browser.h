#pragma once
// The preview button asks the shell to open yl.htm. A web-page association of
// the test's own, a command that writes down what it was asked to open, stands
// in for the browser while this object lives; whatever association was there
// comes back after. Wine's class root is the machine's, so that is where it
// goes.

#include <windows.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tests/e2e/window_driver.h"

namespace lumdrift::e2e {

class FakeBrowser {
 public:
  FakeBrowser() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    record_ = std::string(temp) + "lumdrift-e2e-opened.txt";
    forget();
    for (const char* extension : {".htm", ".html"})
      saved_.emplace_back(extension, value(extension));
    const std::string command = "C:\\windows\\system32\\cmd.exe /c echo %1>\"" + record_ + "\"";
    registered_ = setValue(".htm", "LumdriftE2E.page") && setValue(".html", "LumdriftE2E.page") &&
                  setValue("LumdriftE2E.page\\shell\\open\\command", command);
  }
  ~FakeBrowser() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\LumdriftE2E.page");
    for (const auto& [extension, before] : saved_) {
      if (before) {
        setValue(extension, *before);
      } else {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("Software\\Classes\\" + extension).c_str());
      }
    }
    forget();
  }
  FakeBrowser(const FakeBrowser&) = delete;
  FakeBrowser& operator=(const FakeBrowser&) = delete;

  bool registered() const { return registered_; }
  void forget() { DeleteFileA(record_.c_str()); }

  // What it was asked to open, without quotes and blanks.
  std::optional<std::string> opened() const {
    std::optional<std::string> bytes = fileBytes(record_);
    if (!bytes) return std::nullopt;
    std::string path;
    for (char c : *bytes)
      if (c != '"' && c != '\r' && c != '\n') path += c;
    while (!path.empty() && path.back() == ' ') path.pop_back();
    if (path.empty()) return std::nullopt;  // the command has not written yet
    return path;
  }

 private:
  static std::optional<std::string> value(const std::string& key) {
    char buffer[512] = {};
    DWORD size = sizeof buffer;
    if (RegGetValueA(HKEY_LOCAL_MACHINE, ("Software\\Classes\\" + key).c_str(), nullptr,
                     RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
      return std::nullopt;
    return std::string(buffer);
  }

  static bool setValue(const std::string& key, const std::string& value) {
    HKEY h = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, ("Software\\Classes\\" + key).c_str(), 0, nullptr, 0,
                        KEY_WRITE, nullptr, &h, nullptr) != ERROR_SUCCESS)
      return false;
    const bool ok =
        RegSetValueExA(h, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
    RegCloseKey(h);
    return ok;
  }

  std::string record_;
  bool registered_ = false;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace lumdrift::e2e
