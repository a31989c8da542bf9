// The process around the window: Esc ends it with exit code 0 from any
// control and while a download hangs, and the send-to-desktop button writes a
// shell link to the running executable.

#include <objbase.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstring>
#include <fstream>

#include "tests/e2e/fake_browser.h"
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
  Response stalled = Response::ok(kTmallTemplate);
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
    char folder[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, folder, CSIDL_DESKTOPDIRECTORY, TRUE));
    desktop_ = folder;
    if (desktop_.back() != '\\') desktop_ += '\\';
    link_ = desktop_ + "Lumdrift.lnk";
    DeleteFileA(link_.c_str());
    CoInitialize(nullptr);
  }
  void TearDown() override {
    E2eTest::TearDown();
    DeleteFileA(link_.c_str());
    CoUninitialize();
  }

  struct Link {
    std::string path, arguments, workingDirectory, description, icon;
    int showCommand = -1;
    WORD hotkey = 0xFFFF;
  };

  // The saved link, read back through the shell's own link object.
  std::optional<Link> load() {
    IShellLinkA* shell = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shell))))
      return std::nullopt;
    IPersistFile* file = nullptr;
    std::optional<Link> out;
    wchar_t wide[MAX_PATH];
    MultiByteToWideChar(CP_ACP, 0, link_.c_str(), -1, wide, MAX_PATH);
    if (SUCCEEDED(shell->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(wide, STGM_READ))) {
      Link l;
      char buffer[MAX_PATH] = {};
      shell->GetPath(buffer, MAX_PATH, nullptr, SLGP_RAWPATH);
      l.path = buffer;
      buffer[0] = 0;
      shell->GetArguments(buffer, MAX_PATH);
      l.arguments = buffer;
      buffer[0] = 0;
      shell->GetWorkingDirectory(buffer, MAX_PATH);
      l.workingDirectory = buffer;
      buffer[0] = 0;
      shell->GetDescription(buffer, MAX_PATH);
      l.description = buffer;
      buffer[0] = 0;
      int index = 0;
      shell->GetIconLocation(buffer, MAX_PATH, &index);
      l.icon = buffer;
      shell->GetShowCmd(&l.showCommand);
      shell->GetHotkey(&l.hotkey);
      out = l;
    }
    if (file) file->Release();
    shell->Release();
    return out;
  }

  bool linkExists() const { return GetFileAttributesA(link_.c_str()) != INVALID_FILE_ATTRIBUTES; }

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
    EXPECT_EQ(lstrcmpiA(link->path.c_str(), target.c_str()), 0)
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
  App& a = start("Lumdrift.exe", "", Folder::OnDrive);
  EXPECT_FALSE(linkExists()) << "start-up must not create the link";
  sendToDesktop();
  expectLinkTo(a.exePath());
  EXPECT_FALSE(visible(ctl(ResultLabel))) << "nothing is shown to the user";

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

// Run from the temporary folder, as from inside a zip: the link is made, and
// the user is told to unpack the tool first, since the folder goes later.
TEST_F(Shortcut, LinkFollowsTheExecutablesNameAndAdvisesAgainstTheTemporaryFolder) {
  App& a = start("ShopTool.exe");
  click(app().byCaption(caption::kSendToDesktop));
  EXPECT_TRUE(labelShows(caption::kShortcutFromTemp)) << resultCaption();
  expectLinkTo(a.exePath());
  EXPECT_EQ(GetFileAttributesA((desktop_ + "ShopTool.lnk").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(Shortcut, ChineseProgramFolderWorksInTheAnsiCodePage) {
  App& a = start("Lumdrift.exe", "-店铺工具");
  ASSERT_NE(a.exePath().find("店铺工具"), std::string::npos);
  sendToDesktop();
  expectLinkTo(a.exePath());
  waitForDownload(4);
  click(ctl(GenerateButton));
  const std::optional<std::string> page = fileBytes(a.previewPath());
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

TEST_F(Shortcut, NoDesktopFolderMeansNoLink) {
  App& a = start();
  {
    MissingDesktop missing;
    ASSERT_TRUE(missing.active());
    char folder[MAX_PATH] = {};
    ASSERT_FALSE(SHGetSpecialFolderPathA(nullptr, folder, CSIDL_DESKTOPDIRECTORY, FALSE))
        << "the desktop folder is still found: " << folder;
    click(app().byCaption(caption::kSendToDesktop));
    EXPECT_TRUE(labelShows(caption::kShortcutFailed)) << resultCaption();
    EXPECT_TRUE(a.running());
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

// The preview button opens the page of the last generation, and no other
// window of the tool comes up.
class Preview : public E2eTest {
 protected:
  void SetUp() override {
    E2eTest::SetUp();
    serveTestTemplates();
    ASSERT_TRUE(browser_.registered());
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

  FakeBrowser browser_;
};

TEST_F(Preview, OpensThePageOfTheLastGeneration) {
  App& a = start();
  waitForDownload(4);
  click(ctl(GenerateButton));
  ASSERT_TRUE(fileBytes(a.previewPath()).has_value());
  click(ctl(PreviewButton));
  ASSERT_TRUE(waitUntil([&] { return browser_.opened().has_value(); }, 10000))
      << "nothing was opened";
  EXPECT_EQ(lstrcmpiA(browser_.opened()->c_str(), a.previewPath().c_str()), 0)
      << *browser_.opened() << " instead of " << a.previewPath();
  EXPECT_EQ(shownWindows(), 1);
}

}  // namespace
}  // namespace lumdrift::e2e
