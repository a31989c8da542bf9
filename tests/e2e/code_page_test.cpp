// The tool on the seller's other Windows set-ups: one window per system code
// page (936, 950, 1252, 65001), each in a Wine session of its own that
// in_code_page.sh starts, with a seller's code of every kind of character
// pasted as a browser copies it.

#include <cstdlib>

#include "tests/e2e/fixture.h"

namespace lumdrift::e2e {
namespace {

// Simplified and Traditional Chinese, emoji, signs, the no-break space,
// U+200B, Korean, and the punctuation Chinese text uses, in lines as
// decoration code comes.
const std::string kSellerCode =
    "<div class=\"shop\">\r\n"
    "<p>简体：全屏海报，店铺首页</p>\r\n"
    "<p>繁體：歡迎光臨，優惠商品</p>\r\n"
    "<p>👉 新品 ✨ 上市 ❤ 包邮</p>\r\n"
    "<p>™ © ® • € ¥ ½ ä é</p>\r\n"
    "<p>不\u00A0换行 零\u200B宽 한국어 고객</p>\r\n"
    "<p>– — “引号” 36℃ ① の ★ √ 2×3 · …</p>\r\n"
    "</div>";

// The characters of kSellerCode that GBK lacks, as yl.htm must name them, in
// their order.
const std::vector<unsigned long> kReferences = {128073, 10024, 10084, 8482,  169,  174,
                                                8226,   165,   189,   228,   160,  8203,
                                                54620,  44397, 50612, 44256, 44061};

// A GBK page as a browser reads it: the bytes through the system's code page
// 936, each &#N; as the character N. The references are collected in order.
std::string readGbkPage(const std::string& bytes, std::vector<unsigned long>& references) {
  std::string out;
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
      if (run.empty()) return out + "[not GBK]";
    }
    out += utf8(run);
    if (reference == bytes.size()) break;
    char* end = nullptr;
    unsigned long c = std::strtoul(bytes.c_str() + reference + 2, &end, 10);
    if (end == bytes.c_str() + reference + 2 || *end != ';') return out + "[not a reference]";
    references.push_back(c);
    std::wstring character;
    if (c > 0xFFFF) {
      c -= 0x10000;
      character = {static_cast<wchar_t>(0xD800 + (c >> 10)),
                   static_cast<wchar_t>(0xDC00 + (c & 0x3FF))};
    } else {
      character = {static_cast<wchar_t>(c)};
    }
    out += utf8(character);
    at = static_cast<std::size_t>(end - bytes.c_str()) + 1;
  }
  return out;
}

// The program folder's name under each code page: Café and 新建文件夹 end in
// an odd-length run of non-ASCII bytes in their ANSI code page, which once
// cut the path at the wrong backslash; 한글 is a name GBK cannot write. A
// prefix under 936 or 950 keeps its file names in GBK or Big5, so their
// folders are named in those.
struct Setting {
  UINT codePage;
  std::string folderSuffix;
};
const Setting kSettings[] = {
    {936, "-店铺工具"}, {950, "-新資料夾"}, {1252, "-한글-Café"}, {65001, "-新建文件夹"}};

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

  serveTestTemplates();
  DeleteFileW(L"C:\\yl.htm");
  App& a = start("Lumdrift.exe", setting->folderSuffix, App::Folder::OnDrive);
  ASSERT_TRUE(a.started());

  EXPECT_EQ(text(a.window()), "Lumdrift");
  EXPECT_EQ(text(ctl(GenerateButton)), "生成并复制");
  EXPECT_EQ(text(ctl(PreviewButton)), "预览结果");
  EXPECT_EQ(items(ctl(EditionList)),
            (std::vector<std::string>{"生成专业版", "生成基础版", "生成天猫版"}));
  EXPECT_EQ(text(ctl(CodeInputGroup)), "代码输入（将生成好的代码安装到950区）");
  EXPECT_EQ(text(ctl(TimesLabel)), "宽×高");
  EXPECT_NE(a.byCaption("发送到桌面快捷方式"), nullptr);

  // A browser's copy, pasted with the keys.
  waitForDownload(4);
  ASSERT_TRUE(setClipboardText(kSellerCode));
  HWND input = ctl(CodeInput);
  SetForegroundWindow(a.window());
  clickFocus(input);
  ASSERT_TRUE(
      waitUntil([&] { return GetForegroundWindow() == a.window() && a.focus() == input; }, 5000))
      << "the code input has no keyboard focus";
  pressKey('V', Held::Ctrl);
  ASSERT_TRUE(waitUntil([&] { return !text(input).empty(); }, 10000)) << "nothing pasted";
  EXPECT_EQ(text(input), kSellerCode);

  click(ctl(GenerateButton));
  EXPECT_EQ(resultCaption(), "恭喜亲！代码制作成功并已完成复制，安装后即可大功告成！");
  EXPECT_EQ(text(ctl(GenerateButton)), "生成与复制");
  const std::string result = filledCode(kSellerCode);
  EXPECT_EQ(text(ctl(CodeOutput)), result);
  EXPECT_EQ(clipboardText(), result);

  const std::optional<std::string> page = fileBytes(a.previewPath());
  ASSERT_TRUE(page.has_value()) << "no yl.htm in the program folder";
  std::vector<unsigned long> references;
  EXPECT_EQ(readGbkPage(*page, references), kProPreview.page(result));
  EXPECT_EQ(references, kReferences) << "a reference for each character GBK lacks, no other";
  EXPECT_FALSE(fileBytes("C:\\yl.htm").has_value()) << "the page went into the folder above";
}

}  // namespace
}  // namespace lumdrift::e2e
