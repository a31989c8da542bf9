// The clipboard, the preview page writer and the shell link against the real
// system.

#include <gtest/gtest.h>
#include <windows.h>

#include "base/win32_text.h"
// windows.h before the other system headers
#include <ole2.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include "app/win32/win32_clipboard.h"
#include "app/win32/win32_desktop.h"
#include "app/win32/win32_file_writer.h"

namespace lumdrift {
namespace {

using Microsoft::WRL::ComPtr;

// A directory of its own for each test, removed with what it holds.
class ScratchDirectory {
 public:
  ScratchDirectory() {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    path_ = std::string(base) + "lumdrift-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount());
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~ScratchDirectory() { removeTree(path_); }
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "\\" + name; }
  std::vector<std::string> names() const {
    std::vector<std::string> out;
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return out;
    do {
      const std::string name = found.cFileName;
      if (name != "." && name != "..") out.push_back(name);
    } while (FindNextFileA(h, &found));
    FindClose(h);
    return out;
  }

 private:
  static void removeTree(const std::string& dir) {
    WIN32_FIND_DATAA found;
    HANDLE h = FindFirstFileA((dir + "\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        const std::string full = dir + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          removeTree(full);
        } else {
          DeleteFileA(full.c_str());
        }
      } while (FindNextFileA(h, &found));
      FindClose(h);
    }
    RemoveDirectoryA(dir.c_str());
  }

  std::string path_;
};

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(Win32FileWriter, ReplacesTheWholePage) {
  ScratchDirectory dir;
  const std::string page = dir.file("yl.htm");
  Win32FileWriter writer;
  ASSERT_TRUE(writer.replaceFile(page, "<html>第一页，长一些的内容</html>"));
  EXPECT_EQ(contents(page), "<html>第一页，长一些的内容</html>");
  ASSERT_TRUE(writer.replaceFile(page, "短"));
  EXPECT_EQ(contents(page), "短");
  ASSERT_TRUE(writer.replaceFile(page, ""));
  EXPECT_EQ(contents(page), "");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"yl.htm"});
}

TEST(Win32FileWriter, KeepsTheOldPageWhenTheReplaceFails) {
  ScratchDirectory dir;
  const std::string page = dir.file("yl.htm");
  Win32FileWriter writer;
  ASSERT_TRUE(writer.replaceFile(page, "good page"));

  // Another program holds the page open without sharing it.
  HANDLE held = CreateFileA(page.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(writer.replaceFile(page, "new page"));
  CloseHandle(held);
  EXPECT_EQ(contents(page), "good page");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"yl.htm"});

  // A directory stands where the page would go.
  const std::string blocked = dir.file("blocked.htm");
  ASSERT_TRUE(CreateDirectoryA(blocked.c_str(), nullptr));
  EXPECT_FALSE(writer.replaceFile(blocked, "page"));
  EXPECT_TRUE(GetFileAttributesA(blocked.c_str()) & FILE_ATTRIBUTE_DIRECTORY);

  // The directory itself is missing: nothing is created.
  EXPECT_FALSE(writer.replaceFile(dir.file("missing\\yl.htm"), "page"));
  EXPECT_EQ(dir.names().size(), 2u);
}

std::string clipboardText() {
  std::string out;
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
    const SIZE_T size = GlobalSize(data) / sizeof(wchar_t);
    if (chars != nullptr) out = win32::narrow(std::wstring_view(chars, wcsnlen(chars, size)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return out;
}

TEST(Win32Clipboard, PutsTheExactTextAsUnicode) {
  Win32Clipboard clipboard;
  const std::string code = "<div class=\"全屏\">恭喜亲！👉™©•®\u00A0한</div>\r\n<p>宽度 1920</p>";
  ASSERT_TRUE(clipboard.putText(code));
  EXPECT_EQ(clipboardText(), code);
  ASSERT_TRUE(clipboard.putText(""));
  EXPECT_EQ(clipboardText(), "");
}

TEST(Win32Clipboard, BusyClipboardKeepsItsContent) {
  Win32Clipboard clipboard;
  ASSERT_TRUE(clipboard.putText("before"));
  std::atomic<bool> holding = false;
  std::atomic<bool> done = false;
  std::thread other([&] {
    // The clipboard belongs to whichever thread opened it.
    HWND owner =
        CreateWindowExA(0, "Static", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (OpenClipboard(owner)) {
      holding = true;
      while (!done) Sleep(5);
      CloseClipboard();
    }
    holding = true;
    DestroyWindow(owner);
  });
  while (!holding) Sleep(5);
  EXPECT_FALSE(clipboard.putText("after"));
  done = true;
  other.join();
  EXPECT_EQ(clipboardText(), "before");
}

class ShellLinkTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }

  struct Loaded {
    std::string path, arguments, directory, description;
  };
  // The show command as the file holds it (Wine's loader maps it to 1).
  static DWORD savedShowCommand(const std::string& linkPath) {
    const std::string bytes = contents(linkPath);
    DWORD show = 0;
    if (bytes.size() >= 0x40) std::memcpy(&show, bytes.data() + 0x3C, sizeof show);
    return show;
  }
  static Loaded load(const std::string& linkPath) {
    Loaded out;
    ComPtr<IShellLinkA> link;
    EXPECT_TRUE(SUCCEEDED(
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link))));
    ComPtr<IPersistFile> file;
    EXPECT_TRUE(SUCCEEDED(link.As(&file)));
    std::wstring wide(MAX_PATH, L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, linkPath.c_str(), -1, wide.data(), MAX_PATH) - 1);
    if (FAILED(file->Load(wide.c_str(), STGM_READ))) {
      ADD_FAILURE() << "no link at " << linkPath;
      return out;
    }
    char text[MAX_PATH] = {};
    link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
    out.path = text;
    text[0] = '\0';
    link->GetArguments(text, MAX_PATH);
    out.arguments = text;
    text[0] = '\0';
    link->GetWorkingDirectory(text, MAX_PATH);
    out.directory = text;
    text[0] = '\0';
    link->GetDescription(text, MAX_PATH);
    out.description = text;
    return out;
  }
};

TEST_F(ShellLinkTest, SavedLinkLoadsBackWithItsFields) {
  ScratchDirectory dir;
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const std::string linkPath = dir.file("Lumdrift.lnk");
  Win32Desktop desktop;
  ASSERT_TRUE(desktop.createShortcut(linkPath, self, "Lumdrift"));
  const Loaded first = load(linkPath);
  EXPECT_STRCASEEQ(first.path.c_str(), self);
  EXPECT_EQ(savedShowCommand(linkPath), static_cast<DWORD>(SW_SHOW));
  EXPECT_EQ(first.description, "Lumdrift");
  EXPECT_EQ(first.arguments, "");
  EXPECT_EQ(first.directory, "");

  // Given again, the link is written over the first one.
  ASSERT_TRUE(desktop.createShortcut(linkPath, self, "Lumdrift again"));
  EXPECT_EQ(load(linkPath).description, "Lumdrift again");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"Lumdrift.lnk"});

  EXPECT_FALSE(desktop.createShortcut(dir.file("missing\\Lumdrift.lnk"), self, "Lumdrift"));
}

TEST_F(ShellLinkTest, DesktopFolderEndsInOneSeparator) {
  Win32Desktop desktop;
  const std::string folder = desktop.folder();
  ASSERT_GE(folder.size(), 4u);
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_NE(folder[folder.size() - 2], '\\');
  const DWORD attributes = GetFileAttributesA(folder.c_str());
  ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace lumdrift
