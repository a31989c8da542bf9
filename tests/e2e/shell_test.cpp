// The process around the window: Esc ends it with exit code 0 from any
// control and while a download hangs, the send-to-desktop button writes a
// shell link to the running executable, and the preview button opens the page
// of the last generation, also when the program folder refuses the page.

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <fstream>

#include "tests/e2e/fixture.h"

namespace lumdrift::e2e {
namespace {

class Shutdown : public E2eTest {};

TEST_F(Shutdown, EscClosesTheWindowWithExitCodeZero) {
  serveTestTemplates();
  App& a = start();
  waitForDownload(4);
  HWND target = a.focus() ? a.focus() : a.window();
  pressEscape(target);
  EXPECT_EQ(a.waitForExit(5000), std::optional<DWORD>(0));
}

TEST_F(Shutdown, EscClosesFromInsideTheCodeInput) {
  serveTestTemplates();
  App& a = start();
  HWND input = ctl(CodeInput);
  clickFocus(input);
  ASSERT_TRUE(waitUntil([&] { return a.focus() == input; }, 3000)) << "focus not in 编辑框4";
  type(input, "<div>typed");
  ASSERT_EQ(text(input), "<div>typed");
  pressEscape(input);
  EXPECT_EQ(a.waitForExit(5000), std::optional<DWORD>(0));
}

TEST_F(Shutdown, EscEndsTheProcessWhileADownloadHangs) {
  Response stalled = served(kTmallTemplate);
  stalled.stall = true;
  server().script(kTmallCode, {stalled});
  App& a = start();
  ASSERT_TRUE(server().waitForRequests(1, 10000));
  pressEscape(a.focus() ? a.focus() : a.window());
  EXPECT_EQ(a.waitForExit(5000), std::optional<DWORD>(0)) << "shutdown must not wait for it";
}

class Shortcut : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    serveTestTemplates();
    wchar_t folder[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, folder, CSIDL_DESKTOPDIRECTORY, TRUE));
    desktop_ = utf8(folder);
    if (desktop_.back() != '\\') desktop_ += '\\';
    link_ = desktop_ + "Lumdrift.lnk";
    DeleteFileW(utf16(link_).c_str());
    CoInitialize(nullptr);
  }
  void TearDown() override {
    E2eTest::TearDown();
    DeleteFileW(utf16(link_).c_str());
    CoUninitialize();
  }

  struct Link {
    std::string path, arguments, workingDirectory, description, icon;
    int showCommand = -1;
    WORD hotkey = 0xFFFF;
  };

  // The saved link, read back through the shell's own link object.
  std::optional<Link> load() {
    IShellLinkW* shell = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&shell))))
      return std::nullopt;
    IPersistFile* file = nullptr;
    std::optional<Link> out;
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(utf16(link_).c_str(), STGM_READ))) {
      Link l;
      wchar_t buffer[MAX_PATH] = {};
      shell->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
      l.path = utf8(buffer);
      buffer[0] = 0;
      shell->GetArguments(buffer, MAX_PATH);
      l.arguments = utf8(buffer);
      buffer[0] = 0;
      shell->GetWorkingDirectory(buffer, MAX_PATH);
      l.workingDirectory = utf8(buffer);
      buffer[0] = 0;
      shell->GetDescription(buffer, MAX_PATH);
      l.description = utf8(buffer);
      buffer[0] = 0;
      int index = 0;
      shell->GetIconLocation(buffer, MAX_PATH, &index);
      l.icon = utf8(buffer);
      shell->GetShowCmd(&l.showCommand);
      shell->GetHotkey(&l.hotkey);
      out = l;
    }
    if (file) file->Release();
    shell->Release();
    return out;
  }

  bool linkExists() const {
    return GetFileAttributesW(utf16(link_).c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  void sendToDesktop() {
    HWND button = app().byCaption(caption::kSendToDesktop);
    ASSERT_NE(button, nullptr) << "no control captioned 发送到桌面快捷方式";
    EXPECT_TRUE(visible(button));
    click(button);
    ASSERT_TRUE(waitUntil([&] { return linkExists(); }, 5000)) << "no " << link_;
    Sleep(300);
  }

  void expectLinkTo(const std::string& target) {
    const std::optional<Link> link = load();
    ASSERT_TRUE(link.has_value()) << "the link file does not load";
    EXPECT_EQ(lstrcmpiW(utf16(link->path).c_str(), utf16(target).c_str()), 0)
        << link->path << " instead of " << target;
    // The link format keeps the show command at byte 0x3C of its header.
    const std::optional<std::string> bytes = fileBytes(link_);
    ASSERT_TRUE(bytes && bytes->size() >= 0x40);
    EXPECT_EQ(static_cast<unsigned char>((*bytes)[0x3C]), SW_SHOW)
        << "loaded as " << link->showCommand;
    EXPECT_EQ(link->description, "Lumdrift");
    EXPECT_EQ(link->arguments, "");
    EXPECT_EQ(link->workingDirectory, "");
    EXPECT_EQ(link->icon, "");
    EXPECT_EQ(link->hotkey, 0);
  }

  std::string desktop_, link_;
};

TEST_F(Shortcut, SendToDesktopLinksTheRunningExecutable) {
  App& a = start();
  EXPECT_FALSE(linkExists()) << "start-up must not create the link";
  sendToDesktop();
  expectLinkTo(a.exePath());
  // The test runs the tool from a folder under %TEMP%, as Explorer runs it
  // from inside a zip: the link is made, with the advice to unzip first. (The
  // timer may have hidden the label by now; its text stays.)
  EXPECT_EQ(resultCaption(), caption::kShortcutFromTemp);

  // Given again, the link is written over whatever the file holds.
  {
    std::ofstream spoil(link_, std::ios::binary | std::ios::trunc);
    spoil << "not a link";
  }
  ASSERT_FALSE(load().has_value());
  click(app().byCaption(caption::kSendToDesktop));
  EXPECT_TRUE(waitUntil([&] { return load().has_value(); }, 5000));
  expectLinkTo(a.exePath());
}

TEST_F(Shortcut, LinkFollowsTheExecutablesNameOnDisk) {
  App& a = start("ShopTool.exe");
  sendToDesktop();
  expectLinkTo(a.exePath());
  EXPECT_EQ(GetFileAttributesW(utf16(desktop_ + "ShopTool.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Shortcut, ChineseProgramFolderGetsItsLinkAndPage) {
  App& a = start("Lumdrift.exe", "-店铺工具");
  ASSERT_NE(a.exePath().find("店铺工具"), std::string::npos);
  sendToDesktop();
  expectLinkTo(a.exePath());
  waitForDownload(4);
  click(ctl(GenerateButton));
  const std::optional<std::string> page = pageText(a.previewPath());
  ASSERT_TRUE(page.has_value()) << "no preview page in " << a.programDir();
  EXPECT_NE(page->find(text(ctl(CodeOutput))), std::string::npos);
}

// The user's desktop folder points at a folder that does not exist while it
// lives; the old setting comes back after.
class MissingDesktop {
 public:
  MissingDesktop() {
    RegOpenKeyExA(HKEY_CURRENT_USER, kFolders, 0, KEY_READ | KEY_WRITE, &key_);
    DWORD size = sizeof before_;
    saved_ = RegQueryValueExA(key_, "Desktop", nullptr, &type_, reinterpret_cast<BYTE*>(before_),
                              &size) == ERROR_SUCCESS;
    const char missing[] = "C:\\lumdrift-e2e-no-desktop";
    set_ = RegSetValueExA(key_, "Desktop", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(missing),
                          sizeof missing) == ERROR_SUCCESS;
  }
  ~MissingDesktop() {
    if (saved_)
      RegSetValueExA(key_, "Desktop", 0, type_, reinterpret_cast<const BYTE*>(before_),
                     static_cast<DWORD>(std::strlen(before_) + 1));
    RegCloseKey(key_);
  }
  bool active() const { return set_ && saved_; }

 private:
  static constexpr char kFolders[] =
      "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  HKEY key_ = nullptr;
  DWORD type_ = REG_EXPAND_SZ;
  char before_[MAX_PATH] = {};
  bool saved_ = false, set_ = false;
};

TEST_F(Shortcut, NoDesktopFolderMeansNoLinkAndSaysSo) {
  App& a = start();
  {
    MissingDesktop missing;
    ASSERT_TRUE(missing.active());
    char folder[MAX_PATH] = {};
    ASSERT_FALSE(SHGetSpecialFolderPathA(nullptr, folder, CSIDL_DESKTOPDIRECTORY, FALSE))
        << "the desktop folder is still found: " << folder;
    click(app().byCaption(caption::kSendToDesktop));
    Sleep(1500);
    EXPECT_TRUE(a.running());
    EXPECT_EQ(resultCaption(), caption::kShortcutFailed);
  }
  EXPECT_EQ(filesIn(a.programDir()), std::vector<std::string>{"Lumdrift.exe"})
      << "a link without a folder lands nowhere, not beside the program";
  EXPECT_FALSE(linkExists());
  EXPECT_EQ(GetFileAttributesA("C:\\lumdrift-e2e-no-desktop"), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace lumdrift::e2e

namespace lumdrift::e2e {
namespace {

// The preview button asks the shell to open yl.htm. A web-page association of
// this test's own, a command that writes down what it was asked to open,
// stands in for the browser; whatever association was there comes back after.
// Wine's class root is the machine's, so that is where it goes.
class Preview : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    serveTestTemplates();
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    record_ = std::string(temp) + "lumdrift-e2e-opened.txt";
    DeleteFileA(record_.c_str());
    for (const char* extension : {".htm", ".html"})
      saved_.emplace_back(extension, value(extension));
    const std::string command = "C:\\windows\\system32\\cmd.exe /c echo %1>\"" + record_ + "\"";
    ASSERT_TRUE(setValue(".htm", "LumdriftE2E.page") && setValue(".html", "LumdriftE2E.page") &&
                setValue("LumdriftE2E.page\\shell\\open\\command", command));
  }
  void TearDown() override {
    E2eTest::TearDown();
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Classes\\LumdriftE2E.page");
    for (const auto& [extension, before] : saved_) {
      if (before) {
        setValue(extension, *before);
      } else {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, ("Software\\Classes\\" + extension).c_str());
      }
    }
    DeleteFileA(record_.c_str());
  }

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

  // What the stand-in browser was asked to open, without quotes and blanks.
  std::optional<std::string> opened() {
    std::optional<std::string> bytes = fileBytes(record_);
    if (!bytes) return std::nullopt;
    std::string path;
    for (char c : *bytes)
      if (c != '"' && c != '\r' && c != '\n') path += c;
    while (!path.empty() && path.back() == ' ') path.pop_back();
    if (path.empty()) return std::nullopt;  // the command has not written yet
    return path;
  }

  // Top-level windows of the tool that are shown, the main window included.
  int shownWindows() {
    ShownCount count{app().processId(), 0};
    EnumWindows(countShown, reinterpret_cast<LPARAM>(&count));
    return count.shown;
  }

  struct ShownCount {
    DWORD pid;
    int shown;
  };
  static BOOL CALLBACK countShown(HWND h, LPARAM param) {
    auto* c = reinterpret_cast<ShownCount*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == c->pid && IsWindowVisible(h)) ++c->shown;
    return TRUE;
  }

  std::string record_;
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

TEST_F(Preview, OpensThePageOfTheLastGeneration) {
  App& a = start();
  // Before any generation there is no page: nothing opens, and the label
  // says what to do first.
  click(ctl(PreviewButton));
  // Read at once: the timer hides the label again within six seconds.
  EXPECT_TRUE(visible(ctl(ResultLabel)));
  EXPECT_EQ(resultCaption(), caption::kPreviewFirst);
  Sleep(1500);
  EXPECT_EQ(opened(), std::nullopt);
  EXPECT_EQ(shownWindows(), 1);

  waitForDownload(4);
  click(ctl(GenerateButton));
  ASSERT_TRUE(pageText(a.previewPath()).has_value());
  click(ctl(PreviewButton));
  ASSERT_TRUE(waitUntil([&] { return opened().has_value(); }, 10000)) << "nothing was opened";
  EXPECT_EQ(lstrcmpiA(opened()->c_str(), a.previewPath().c_str()), 0)
      << *opened() << " instead of " << a.previewPath();
  EXPECT_EQ(shownWindows(), 1);
}

// The program folder refuses writes, as Program Files does a standard user,
// and a yl.htm of an older generation lies in it. in_code_page.sh runs this
// in a session without root's right to write into any folder.
class ReadOnlyFolder : public Preview {
 protected:
  // The folder stops (or starts again) taking new files. Wine has no Windows
  // call that makes a folder read-only, so Unix's chmod runs, which Wine
  // starts and does not wait for.
  static bool setWritable(const std::string& dir, bool writable) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(utf16(dir).c_str()) : nullptr;
    if (!name) return false;
    std::wstring command =
        utf16(std::string("chmod ") + (writable ? "u+w" : "a-w") + " \"" + name + "\"");
    HeapFree(GetProcessHeap(), 0, name);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(L"Z:\\bin\\chmod", command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &process))
      return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine shows a folder without write permission as read-only.
    if (!waitUntil(
            [&] {
              const DWORD attributes = GetFileAttributesW(utf16(dir).c_str());
              return attributes != INVALID_FILE_ATTRIBUTES &&
                     ((attributes & FILE_ATTRIBUTE_READONLY) == 0) == writable;
            },
            5000))
      return false;
    // Root writes into it all the same unless the session dropped that right.
    const std::wstring probe = utf16(dir + "\\probe.tmp");
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return !writable;
    CloseHandle(h);
    DeleteFileW(probe.c_str());
    return writable;
  }

  // Makes the folder writable again when the test ends, however it ends.
  struct Refusing {
    std::string dir;
    bool active = false;
    ~Refusing() {
      if (!dir.empty()) setWritable(dir, true);
    }
  };

  bool labelShows(std::string_view message) {
    return waitUntil([&] { return resultCaption() == message && visible(ctl(ResultLabel)); }, 5000);
  }
};

TEST_F(ReadOnlyFolder, PageGoesToTheUsersFolderAndOnlyTheCurrentPageOpens) {
  wchar_t local[MAX_PATH] = {};
  ASSERT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, local)));
  const std::string own = utf8(local) + "\\Lumdrift";
  const std::string ownPage = own + "\\yl.htm";
  DeleteFileW(utf16(ownPage).c_str());
  RemoveDirectoryW(utf16(own).c_str());
  ASSERT_FALSE(fileBytes(ownPage).has_value());

  const std::string oldPage = "<html><body>an older generation</body></html>";
  Refusing program;
  App& a = start("Lumdrift.exe", "", App::Folder::OnDrive, [&](const std::string& dir) {
    HANDLE h = CreateFileW(utf16(dir + "\\yl.htm").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           0, nullptr);
    DWORD written = 0;
    WriteFile(h, oldPage.data(), static_cast<DWORD>(oldPage.size()), &written, nullptr);
    CloseHandle(h);
    program.dir = dir;
    program.active = setWritable(dir, false);
  });
  ASSERT_TRUE(program.active) << "the program folder still takes files";

  // Before any generation the older page must not pass for a current one.
  click(ctl(PreviewButton));
  EXPECT_TRUE(labelShows(caption::kPreviewFirst)) << resultCaption();
  Sleep(1500);
  EXPECT_EQ(opened(), std::nullopt);

  waitForDownload(4);
  setText(ctl(CodeInput), "<p>first</p>");
  click(ctl(GenerateButton));
  EXPECT_EQ(resultCaption(), caption::kSuccess);
  EXPECT_EQ(fileBytes(a.previewPath()), oldPage);
  EXPECT_EQ(pageText(ownPage), kProPreview.page(filledCode("<p>first</p>")));
  DeleteFileA(record_.c_str());
  click(ctl(PreviewButton));
  ASSERT_TRUE(waitUntil([&] { return opened().has_value(); }, 10000)) << "nothing was opened";
  EXPECT_EQ(lstrcmpiW(utf16(*opened()).c_str(), utf16(ownPage).c_str()), 0)
      << *opened() << " instead of " << ownPage;

  // The user's folder refuses too: the code is still delivered, and the page
  // of the generation before is not opened for this one.
  Refusing ownFolder{own, setWritable(own, false)};
  ASSERT_TRUE(ownFolder.active) << "the user's folder still takes files";
  DeleteFileA(record_.c_str());
  setText(ctl(CodeInput), "<p>second</p>");
  click(ctl(GenerateButton));
  EXPECT_EQ(resultCaption(), caption::kPreviewNotSaved);
  EXPECT_EQ(text(ctl(CodeOutput)), filledCode("<p>second</p>"));
  EXPECT_EQ(clipboardText(), filledCode("<p>second</p>"));
  // Hidden as the timer hides it, so that the click has to show it again.
  ShowWindow(ctl(ResultLabel), SW_HIDE);
  click(ctl(PreviewButton));
  EXPECT_TRUE(labelShows(caption::kPreviewNotSaved)) << resultCaption();
  Sleep(1500);
  EXPECT_EQ(opened(), std::nullopt);
  EXPECT_EQ(fileBytes(a.previewPath()), oldPage);
}

}  // namespace
}  // namespace lumdrift::e2e
