// The tool on the seller's other Windows set-ups, each test in a Wine session
// of its own that in_code_page.sh starts: one window per system code page,
// with a seller's code of every kind of character pasted as a browser copies
// it; and a program folder the user cannot write. This file reads the window
// as a Unicode program does: its literals are UTF-8, its wide ones UTF-16.

#include <shlobj.h>

#include <cstdlib>

#include "tests/e2e/fake_browser.h"
#include "tests/e2e/fixture.h"

namespace lumdrift::e2e {
namespace {

// Simplified and Traditional Chinese, emoji, signs, the no-break space,
// U+200B, Korean, and the punctuation Chinese text uses, in lines as
// decoration code comes.
const std::wstring kSellerCode =
    L"<div class=\"shop\">\r\n"
    L"<p>简体：全屏海报，店铺首页</p>\r\n"
    L"<p>繁體：歡迎光臨，優惠商品</p>\r\n"
    L"<p>👉 新品 ✨ 上市 ❤ 包邮</p>\r\n"
    L"<p>™ © ® • € ¥ ½ ä é</p>\r\n"
    L"<p>不\u00A0换行 零\u200B宽 한국어 고객</p>\r\n"
    L"<p>– — “引号” 36℃ ① の ★ √ 2×3 · …</p>\r\n"
    L"</div>";

const std::wstring kCodeTemplate =
    L"<div class=\"full\" style=\"width:宽度px;height:高度px;margin-left:偏移px\">\r\n"
    L"<!-- 全屏代码 -->\r\n"
    L"Corvandel386412957\r\n"
    L"</div>\r\n";
// kCodeTemplate as the tool must fill it with the options it starts with.
std::wstring filled(const std::wstring& code) {
  return L"<div class=\"full\" style=\"width:1920px;height:500px;margin-left:-960px\">\r\n"
         L"<!-- 全屏代码 -->\r\n" +
         code + L"\r\n</div>\r\n";
}

const std::wstring kPreviewHead =
    L"<html><head><meta charset=\"gbk\"><title>预览效果</title></head><body>\r\n";
const std::wstring kPreviewTail = L"\r\n</body></html>\r\n";

// The characters of kSellerCode that GBK lacks, as yl.htm must name them, in
// their order.
const std::vector<unsigned long> kReferences = {128073, 10024, 10084, 8482,  169,  174,
                                                8226,   165,   189,   228,   160,  8203,
                                                54620,  44397, 50612, 44256, 44061};

// Bytes as the template server holds them: GBK.
std::string gbk(std::wstring_view text) {
  std::string out(text.size() * 2, '\0');
  out.resize(WideCharToMultiByte(936, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                 static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

// A GBK page as a browser reads it: the bytes through the system's code page
// 936, each &#N; as the character N. The references are collected in order.
std::wstring readGbkPage(const std::string& bytes, std::vector<unsigned long>& references) {
  std::wstring out;
  std::size_t at = 0;
  while (at < bytes.size()) {
    // '&' and '#' are never the second byte of a GBK character.
    std::size_t reference = bytes.find("&#", at);
    if (reference == std::string::npos) reference = bytes.size();
    const int n = static_cast<int>(reference - at);
    std::wstring run(n, L'\0');
    if (n > 0) {
      run.resize(
          MultiByteToWideChar(936, MB_ERR_INVALID_CHARS, bytes.data() + at, n, run.data(), n));
      if (run.empty()) return out + L"[not GBK]";
    }
    out += run;
    if (reference == bytes.size()) break;
    char* end = nullptr;
    unsigned long c = std::strtoul(bytes.c_str() + reference + 2, &end, 10);
    if (end == bytes.c_str() + reference + 2 || *end != ';') return out + L"[not a reference]";
    references.push_back(c);
    if (c > 0xFFFF) {
      c -= 0x10000;
      out += static_cast<wchar_t>(0xD800 + (c >> 10));
      out += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
    } else {
      out += static_cast<wchar_t>(c);
    }
    at = static_cast<std::size_t>(end - bytes.c_str()) + 1;
  }
  return out;
}

std::wstring shellFolder(int id) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, id, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

bool exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The program folder's name under each code page: Café and 新建文件夹 end in
// an odd-length run of non-ASCII bytes in their ANSI code page, which once
// cut the path at the wrong backslash; 한글 is a name GBK cannot write. A
// prefix under 936 or 950 keeps its file names in GBK or Big5, so their
// folders are named in those.
struct Setting {
  UINT codePage;
  std::wstring folderSuffix;
};
const Setting kSettings[] = {
    {936, L"-店铺工具"}, {950, L"-新資料夾"}, {1252, L"-한글-Café"}, {65001, L"-新建文件夹"}};

// One window per code page: start-up is the slow part, so every check of the
// set-up is made in it.
using CodePage = E2eTest;

TEST_F(CodePage, CaptionsAndEveryPastedCharacterComeOutExactly) {
  const char* session = std::getenv("LUMDRIFT_CODE_PAGE");
  ASSERT_NE(session, nullptr) << "run through in_code_page.sh";
  const UINT codePage = static_cast<UINT>(std::atoi(session));
  ASSERT_EQ(GetACP(), codePage) << "the session's locale gave another code page";
  const Setting* setting = nullptr;
  for (const Setting& s : kSettings)
    if (s.codePage == codePage) setting = &s;
  ASSERT_NE(setting, nullptr);

  server().script(kTmallCode, {Response::ok(gbk(L"<div>天猫 Corvandel386412957</div>"))});
  server().script(kCode, {Response::ok(gbk(kCodeTemplate))});
  server().script(kPreview, {Response::ok(gbk(kPreviewHead + L"386412957" + kPreviewTail))});
  DeleteFileW(L"C:\\yl.htm");
  App& a = start(AppSetup{"Lumdrift.exe", setting->folderSuffix, Folder::OnDrive, {}});
  ASSERT_TRUE(a.started());

  EXPECT_EQ(wideText(a.window()), L"Lumdrift");
  EXPECT_EQ(wideText(ctl(GenerateButton)), L"生成并复制");
  EXPECT_EQ(wideText(ctl(PreviewButton)), L"预览结果");
  EXPECT_EQ(wideItems(ctl(EditionList)),
            (std::vector<std::wstring>{L"生成专业版", L"生成基础版", L"生成天猫版"}));
  EXPECT_EQ(wideText(ctl(CodeInputGroup)), L"代码输入（将生成好的代码安装到950区）");
  EXPECT_EQ(wideText(ctl(TimesLabel)), L"宽×高");
  EXPECT_NE(findByCaption(a.window(), L"发送到桌面快捷方式"), nullptr);

  // A browser's copy, pasted with the keys.
  waitForDownload(4);
  ASSERT_TRUE(setClipboardUnicode(kSellerCode));
  HWND input = ctl(CodeInput);
  SetForegroundWindow(a.window());
  clickFocus(input);
  ASSERT_TRUE(
      waitUntil([&] { return GetForegroundWindow() == a.window() && a.focus() == input; }, 5000))
      << "the code input has no keyboard focus";
  pressWithCtrl('V');
  ASSERT_TRUE(waitUntil([&] { return !wideText(input).empty(); }, 10000)) << "nothing pasted";
  EXPECT_EQ(wideText(input), kSellerCode);

  click(ctl(GenerateButton));
  EXPECT_EQ(wideText(ctl(ResultLabel)), L"恭喜亲！代码制作成功并已完成复制，安装后即可大功告成！");
  EXPECT_EQ(wideText(ctl(GenerateButton)), L"生成与复制");
  EXPECT_EQ(wideText(ctl(CodeOutput)), filled(kSellerCode));
  EXPECT_EQ(clipboardUnicode(), filled(kSellerCode));

  const std::optional<std::string> page = fileBytes(a.programDirW() + L"\\yl.htm");
  ASSERT_TRUE(page.has_value()) << "no yl.htm in the program folder";
  std::vector<unsigned long> references;
  EXPECT_EQ(readGbkPage(*page, references), kPreviewHead + filled(kSellerCode) + kPreviewTail);
  EXPECT_EQ(references, kReferences) << "a reference for each character GBK lacks, no other";
  EXPECT_FALSE(exists(L"C:\\yl.htm")) << "the page went into the folder above";
}

// The program folder refuses writes, as Program Files does a standard user,
// and an older yl.htm lies in it.
class ReadOnlyFolder : public E2eTest {
 protected:
  // The folder stops (or starts again) taking new files. Wine has no Windows
  // call that makes a folder read-only, so Unix's chmod runs, which Wine
  // starts and does not wait for.
  static bool setWritable(const std::wstring& dir, bool writable) {
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(dir.c_str()) : nullptr;
    if (!name) return false;
    std::wstring command =
        std::wstring(L"chmod ") + (writable ? L"u+w" : L"a-w") + L" \"" + fromUtf8(name) + L"\"";
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
              const DWORD attributes = GetFileAttributesW(dir.c_str());
              return attributes != INVALID_FILE_ATTRIBUTES &&
                     ((attributes & FILE_ATTRIBUTE_READONLY) == 0) == writable;
            },
            5000))
      return false;
    // Root writes into it all the same unless the session dropped that right.
    const std::wstring probe = dir + L"\\probe.tmp";
    HANDLE h = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return !writable;
    CloseHandle(h);
    DeleteFileW(probe.c_str());
    return writable;
  }

  // Makes the folder writable again when the test ends, however it ends.
  struct Refusing {
    std::wstring dir;
    bool active = false;
    ~Refusing() {
      if (!dir.empty()) setWritable(dir, true);
    }
  };

  std::wstring label() { return wideText(ctl(ResultLabel)); }
  bool labelShows(std::wstring_view message) {
    return waitUntil([&] { return label() == message && visible(ctl(ResultLabel)); }, 5000);
  }
};

TEST_F(ReadOnlyFolder, PageGoesToTheUsersFolderAndOnlyTheCurrentPageOpens) {
  FakeBrowser browser;
  ASSERT_TRUE(browser.registered());
  const std::wstring own = shellFolder(CSIDL_LOCAL_APPDATA) + L"\\Lumdrift";
  const std::wstring ownPage = own + L"\\yl.htm";
  DeleteFileW(ownPage.c_str());
  RemoveDirectoryW(own.c_str());
  ASSERT_FALSE(exists(own));

  server().script(kTmallCode, {Response::ok("<div>Corvandel386412957</div>")});
  server().script(kCode, {Response::ok(gbk(kCodeTemplate))});
  server().script(kPreview, {Response::ok(gbk(kPreviewHead + L"386412957" + kPreviewTail))});
  const std::string oldPage = "<html><body>an older generation</body></html>";
  Refusing program;
  App& a = start(AppSetup{"Lumdrift.exe", L"", Folder::OnDrive, [&](const std::wstring& dir) {
                            HANDLE h = CreateFileW((dir + L"\\yl.htm").c_str(), GENERIC_WRITE, 0,
                                                   nullptr, CREATE_NEW, 0, nullptr);
                            DWORD written = 0;
                            WriteFile(h, oldPage.data(), static_cast<DWORD>(oldPage.size()),
                                      &written, nullptr);
                            CloseHandle(h);
                            program.dir = dir;
                            program.active = setWritable(dir, false);
                          }});
  ASSERT_TRUE(program.active) << "the program folder still takes files";
  const std::wstring besidePage = a.programDirW() + L"\\yl.htm";

  // Before any generation the older page must not pass for a current one.
  click(ctl(PreviewButton));
  EXPECT_TRUE(labelShows(L"请先生成代码，再预览结果！")) << label();
  Sleep(1500);
  EXPECT_EQ(browser.opened(), std::nullopt);

  waitForDownload(4);
  setText(ctl(CodeInput), "<p>first</p>");
  click(ctl(GenerateButton));
  EXPECT_EQ(label(), L"恭喜亲！代码制作成功并已完成复制，安装后即可大功告成！");
  EXPECT_EQ(fileBytes(besidePage), oldPage);
  EXPECT_EQ(fileBytes(ownPage), gbk(kPreviewHead + filled(L"<p>first</p>") + kPreviewTail));
  browser.forget();
  click(ctl(PreviewButton));
  ASSERT_TRUE(waitUntil([&] { return browser.opened().has_value(); }, 10000))
      << "nothing was opened";
  EXPECT_EQ(lstrcmpiA(browser.opened()->c_str(), toAnsi(ownPage).c_str()), 0)
      << *browser.opened() << " instead of " << toAnsi(ownPage);

  // The user's folder refuses too: the code is still delivered, and the page
  // of the generation before is not opened for this one.
  Refusing ownFolder{own, setWritable(own, false)};
  ASSERT_TRUE(ownFolder.active) << "the user's folder still takes files";
  browser.forget();
  setText(ctl(CodeInput), "<p>second</p>");
  click(ctl(GenerateButton));
  const std::wstring notSaved = L"代码已生成，但预览页面无法保存，暂时无法预览！";
  EXPECT_EQ(label(), notSaved);
  EXPECT_EQ(wideText(ctl(CodeOutput)), filled(L"<p>second</p>"));
  EXPECT_EQ(clipboardUnicode(), filled(L"<p>second</p>"));
  // Hidden as the timer hides it, so that the click has to show it again.
  ShowWindow(ctl(ResultLabel), SW_HIDE);
  click(ctl(PreviewButton));
  EXPECT_TRUE(labelShows(notSaved)) << label();
  Sleep(1500);
  EXPECT_EQ(browser.opened(), std::nullopt);
  EXPECT_EQ(fileBytes(besidePage), oldPage);
}

}  // namespace
}  // namespace lumdrift::e2e
