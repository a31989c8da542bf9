// The main window as Win32 shows it: its controls, their places and fonts,
// the property operations over them and the wiring of their notifications.

#include "app/win32/main_window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "app/win32/window_dpi.h"
#include "base/captions.h"
#include "base/control_table.h"
#include "base/win32_text.h"
#include "base/window_layout.h"
#include "generator/markers.h"
#include "tests/harness.h"

namespace lumdrift {
namespace {

using enum ControlId;

std::string windowText(HWND w) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
  return win32::narrow(text);
}

std::string className(HWND w) {
  char name[64] = {};
  GetClassNameA(w, name, sizeof name);
  return name;
}

LOGFONTW fontOf(HWND w) {
  LOGFONTW font = {};
  auto handle = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
  GetObjectW(handle, sizeof font, &font);
  return font;
}

LOGFONTW defaultGuiFont() {
  LOGFONTW font = {};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
  return font;
}

std::string expectedClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::GroupBox:
    case ControlKind::PushButton:
    case ControlKind::TextButton: return "Button";
    case ControlKind::DropDownList: return "ComboBox";
    case ControlKind::Label:
    case ControlKind::TransparentLabel: return "Static";
    case ControlKind::SingleLineEdit:
    case ControlKind::MultiLineEdit: return "Edit";
    default: return "";
  }
}

bool isEdit(ControlKind kind) {
  return kind == ControlKind::SingleLineEdit || kind == ControlKind::MultiLineEdit;
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = createMainWindow(GetModuleHandleA(nullptr), context);
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    pump();
  }
  void TearDown() override {
    if (IsWindow(window)) DestroyWindow(window);
  }

  // The message loop of the tool, until the queue is empty.
  void pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      if (m.message == WM_QUIT) quitPosted = true;
      if (preTranslateMainWindowMessage(window, m)) continue;
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
  }
  void key(ControlId id, WPARAM virtualKey) {
    PostMessageA(at(id), WM_KEYDOWN, virtualKey, 1);
    PostMessageA(at(id), WM_KEYUP, virtualKey, 0xC0000001);
    pump();
  }
  // What a user's automation sends: the selection, then the notification to
  // the list's parent.
  void selectItem(ControlId list, int index) {
    SendMessageA(at(list), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(GetParent(at(list)), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(at(list)), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(at(list)));
  }
  void click(ControlId button) { SendMessageA(at(button), BM_CLICK, 0, 0); }
  HWND at(ControlId id) const { return controls.window(id); }
  bool visible(ControlId id) const { return GetWindowLongA(at(id), GWL_STYLE) & WS_VISIBLE; }

  // Every property the model holds, as the window shows it.
  void expectSameAs(const test::Harness& model) {
    for (const ControlRow& row : controlTable()) {
      if (row.kind == ControlKind::Timer) continue;
      SCOPED_TRACE(row.name);
      const ControlState& state = model[row.id];
      if (row.kind == ControlKind::DropDownList) {
        EXPECT_EQ(controls.selection(row.id), state.selection);
      } else {
        EXPECT_EQ(controls.text(row.id), state.text);
      }
      EXPECT_EQ(visible(row.id), state.visible);
      EXPECT_EQ(IsWindowEnabled(at(row.id)) != FALSE, state.enabled);
    }
    EXPECT_EQ(fontOf(at(GenerateButton)).lfWeight,
              model[GenerateButton].bold ? FW_BOLD : FW_NORMAL);
  }

  WindowControls controls;
  test::FakeClipboard clipboard;
  test::FakeFiles files;
  test::FakeShell shell;
  test::FakeDownload download;
  test::FakeDesktop desktop;
  test::NoLog log;
  SharedTemplateStore templates{log};
  Services services{controls, templates, clipboard, files,
                    shell,    download,  desktop,   ProgramLocation{"C:\\Tools", "Lumdrift.exe"}};
  MainWindowContext context{services, controls, true};
  HWND window = nullptr;
  bool quitPosted = false;  // the window asked the loop to end
};

TEST_F(MainWindowTest, EveryControlIsARealWindowInItsStartState) {
  EXPECT_EQ(windowText(window), caption::kTitle);
  EXPECT_EQ(download.starts, 1);
  for (const ControlRow& row : controlTable()) {
    if (row.kind == ControlKind::Timer) continue;
    SCOPED_TRACE(row.name);
    HWND w = at(row.id);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(className(w), expectedClass(row.kind));
    EXPECT_EQ(GetParent(w), row.container == MainWindow ? window : at(row.container));
    EXPECT_EQ(visible(row.id), row.visible);
    EXPECT_EQ(IsWindowEnabled(w) != FALSE, row.enabled);
    if (row.kind == ControlKind::DropDownList) {
      ASSERT_EQ(SendMessageA(w, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(row.items.size()));
      for (std::size_t i = 0; i < row.items.size(); ++i) {
        wchar_t item[64] = {};
        SendMessageW(w, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item));
        EXPECT_EQ(win32::narrow(item), row.items[i]);
      }
      EXPECT_EQ(SendMessageA(w, CB_GETCURSEL, 0, 0), row.selection);
      EXPECT_EQ(windowText(w), row.items[static_cast<std::size_t>(row.selection)]);
    } else {
      EXPECT_EQ(windowText(w), row.text);
    }
  }
  test::Harness model;
  expectSameAs(model);
}

TEST_F(MainWindowTest, FrameAndControlsSitWhereTheLayoutPutsThem) {
  RECT outer;
  GetWindowRect(window, &outer);
  EXPECT_EQ(outer.right - outer.left, kWindowWidth);
  EXPECT_EQ(outer.bottom - outer.top, kWindowHeight);
  EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - (outer.right - outer.left)) / 2);
  EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - (outer.bottom - outer.top)) / 2);
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_EQ(style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX),
            WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX);
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  EXPECT_EQ(reinterpret_cast<HGDIOBJ>(GetClassLongPtrA(window, GCLP_HBRBACKGROUND)),
            GetStockObject(WHITE_BRUSH));
  EXPECT_NE(GetClassLongPtrA(window, GCLP_HICON), 0u);  // the program's own icon

  // The system's own row height, from a list made the same way.
  HWND reference = CreateWindowExA(0, "ComboBox", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 0, 60,
                                   kDropDownHeight, window, nullptr, nullptr, nullptr);
  SendMessageA(reference, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               FALSE);
  const LRESULT defaultRow = SendMessageA(reference, CB_GETITEMHEIGHT, 0, 0);
  DestroyWindow(reference);

  for (const ControlRow& row : controlTable()) {
    const std::optional<Rect> place = controlRect(row.id);
    if (!place) continue;
    SCOPED_TRACE(row.name);
    RECT r;
    GetWindowRect(at(row.id), &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(at(row.id)), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, place->left);
    EXPECT_EQ(r.top, place->top);
    EXPECT_EQ(r.right - r.left, place->width);
    if (row.kind == ControlKind::DropDownList) {
      // Made 160 high: Windows reports the control with its list, Wine the list alone.
      RECT dropped;
      SendMessageA(at(row.id), CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped));
      EXPECT_LE(dropped.bottom - dropped.top, kDropDownHeight);
      EXPECT_GE(dropped.bottom - dropped.top, kDropDownHeight - 2 * place->height);
      EXPECT_EQ(r.bottom - r.top, place->height);
      // Opened, the list shows every item in rows one pixel taller than usual.
      COMBOBOXINFO info = {};
      info.cbSize = sizeof info;
      ASSERT_TRUE(GetComboBoxInfo(at(row.id), &info));
      SendMessageA(at(row.id), CB_SHOWDROPDOWN, TRUE, 0);
      RECT combo, list;
      GetWindowRect(at(row.id), &combo);
      GetWindowRect(info.hwndList, &list);
      SendMessageA(at(row.id), CB_SHOWDROPDOWN, FALSE, 0);
      const auto items = static_cast<LONG>(row.items.size());
      EXPECT_EQ(list.bottom - list.top, items * (defaultRow + 1) + 2);
      EXPECT_LE(list.bottom - combo.top, kDropDownHeight);
      EXPECT_EQ(SendMessageA(at(row.id), CB_GETITEMHEIGHT, 0, 0), defaultRow + 1);
    } else {
      EXPECT_EQ(r.bottom - r.top, place->height);
    }
  }
}

TEST_F(MainWindowTest, FontsAreTheDefaultGuiFontUnlessTheControlHasItsOwn) {
  const LOGFONTW gui = defaultGuiFont();
  for (const ControlRow& row : controlTable()) {
    if (row.kind == ControlKind::Timer) continue;
    SCOPED_TRACE(row.name);
    const std::optional<OwnFont> own = ownFont(row.id);
    if (!own) {
      EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(at(row.id), WM_GETFONT, 0, 0)),
                GetStockObject(DEFAULT_GUI_FONT));
      continue;
    }
    const LOGFONTW font = fontOf(at(row.id));
    EXPECT_EQ(font.lfHeight, -own->height);
    EXPECT_EQ(font.lfWeight, own->weight);
    EXPECT_FALSE(font.lfItalic || font.lfUnderline || font.lfStrikeOut);
    EXPECT_EQ(win32::narrow(font.lfFaceName),
              own->face.empty() ? win32::narrow(gui.lfFaceName) : own->face);
    EXPECT_EQ(font.lfCharSet, own->gb2312Charset ? GB2312_CHARSET : gui.lfCharSet);
  }
}

TEST_F(MainWindowTest, EditBoxesWrapOrScrollAndHoldTextsOfAnyLength) {
  for (const ControlRow& row : controlTable()) {
    if (!isEdit(row.kind)) continue;
    SCOPED_TRACE(row.name);
    EXPECT_GE(static_cast<DWORD>(SendMessageA(at(row.id), EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu);
    const LONG style = GetWindowLongA(at(row.id), GWL_STYLE);
    EXPECT_TRUE(GetWindowLongA(at(row.id), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    if (row.kind == ControlKind::MultiLineEdit) {
      EXPECT_EQ(style & (ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL),
                ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL);
      EXPECT_EQ(style & (WS_HSCROLL | ES_AUTOHSCROLL), 0);
    } else {
      EXPECT_EQ(style & (ES_MULTILINE | ES_AUTOHSCROLL), ES_AUTOHSCROLL);
    }
  }
  // A paste beyond the 32767 characters a plain edit box takes, with
  // characters no ANSI code page holds.
  std::string code;
  while (code.size() < 40000)
    code += "<div class=\"全屏👉™\">" + std::to_string(code.size()) + "</div>\r\n";
  SetFocus(at(CodeInput));
  SendMessageW(at(CodeInput), EM_REPLACESEL, TRUE,
               reinterpret_cast<LPARAM>(win32::wide(code).c_str()));
  EXPECT_EQ(controls.text(CodeInput), code);
}

TEST_F(MainWindowTest, PropertyOperationsWorkOnTheWindowsThemselves) {
  controls.setText(OffsetEdit, "-480");
  EXPECT_EQ(windowText(at(OffsetEdit)), "-480");
  controls.setText(CodeInputGroup, Text(caption::kInputTmall));
  EXPECT_EQ(windowText(at(CodeInputGroup)), caption::kInputTmall);
  EXPECT_EQ(controls.text(CodeInputGroup), caption::kInputTmall);

  controls.setVisible(ResultLabel, true);
  EXPECT_TRUE(visible(ResultLabel));
  controls.setVisible(ResultLabel, false);
  EXPECT_FALSE(visible(ResultLabel));
  controls.setEnabled(SpacingEdit, true);
  EXPECT_TRUE(IsWindowEnabled(at(SpacingEdit)));
  controls.setEnabled(GenerateButton, false);
  EXPECT_FALSE(IsWindowEnabled(at(GenerateButton)));

  SendMessageA(at(SpacingList), CB_SETCURSEL, 3, 0);
  EXPECT_EQ(controls.selection(SpacingList), 3);
  SendMessageA(at(SpacingList), CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(controls.selection(SpacingList), -1);

  // Bold changes the weight and nothing else of the button's font.
  const LOGFONTW before = fontOf(at(GenerateButton));
  controls.setBold(GenerateButton, false);
  LOGFONTW after = fontOf(at(GenerateButton));
  EXPECT_EQ(after.lfWeight, FW_NORMAL);
  after.lfWeight = before.lfWeight;
  EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
  controls.setBold(GenerateButton, true);
  EXPECT_EQ(fontOf(at(GenerateButton)).lfWeight, FW_BOLD);
}

TEST_F(MainWindowTest, OptionNotificationsFromInsideGroupBoxesRunTheirHandlers) {
  test::Harness model;
  selectItem(EditionList, 2);
  model.selectItem(EditionList, 2);
  expectSameAs(model);

  SetWindowTextA(at(WidthEdit), "1000");  // the box notifies its change like typing does
  model.type(WidthEdit, "1000");
  expectSameAs(model);

  selectItem(SpacingList, 3);
  model.selectItem(SpacingList, 3);
  expectSameAs(model);
  selectItem(SpacingList, 1);
  model.selectItem(SpacingList, 1);
  expectSameAs(model);

  controls.setText(CodeInput, "<p>code</p>");
  SendMessageA(at(CodeInput), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(10, 10));
  EXPECT_EQ(controls.text(CodeInput), "");
}

TEST_F(MainWindowTest, ButtonsAndTimerRunTheirHandlers) {
  test::Harness model;
  click(GenerateButton);  // no template yet
  model.click(GenerateButton);
  expectSameAs(model);
  EXPECT_EQ(controls.text(ResultLabel), caption::kWaiting);

  const Text code = "<div style=\"width:宽度px;height:高度px\">" + Text(kCodeMarker) + "</div>";
  const Text page = "<html>" + Text(kPreviewMarker) + "</html>";
  model.templates.delivered(TemplateId::Code, code);
  model.templates.delivered(TemplateId::Preview, page);
  model.ui.setText(CodeInput, "<b>我的代码</b>");
  templates.delivered(TemplateId::Code, code);
  templates.delivered(TemplateId::Preview, page);
  controls.setText(CodeInput, "<b>我的代码</b>");
  click(GenerateButton);
  model.click(GenerateButton);
  expectSameAs(model);
  EXPECT_EQ(clipboard.puts, model.clipboard.puts);
  ASSERT_EQ(files.writes.size(), 1u);
  EXPECT_EQ(files.writes[0].path, "C:\\Tools\\yl.htm");
  EXPECT_EQ(files.writes[0].bytes, model.files.writes[0].bytes);

  click(PreviewButton);
  EXPECT_EQ(shell.opened, std::vector<Text>{"C:\\Tools\\yl.htm"});

  SendMessageA(window, WM_TIMER, 1, 0);
  model.tick();
  expectSameAs(model);

  click(SendToDesktopButton);
  ASSERT_EQ(desktop.links.size(), 1u);
  EXPECT_EQ(desktop.links[0].link, desktop.desktopFolder + "Lumdrift.lnk");
  EXPECT_EQ(desktop.links[0].target, "C:\\Tools\\Lumdrift.exe");
  EXPECT_EQ(download.starts, 1);
}

TEST_F(MainWindowTest, EnterStaysTabMovesEscCloses) {
  SetFocus(at(WidthEdit));
  key(WidthEdit, VK_RETURN);
  EXPECT_EQ(GetFocus(), at(WidthEdit));
  EXPECT_EQ(controls.text(WidthEdit), "1920");
  EXPECT_TRUE(IsWindow(window));

  key(WidthEdit, VK_TAB);
  EXPECT_EQ(GetFocus(), at(HeightEdit));

  SetFocus(at(CodeInput));
  key(CodeInput, VK_RETURN);
  EXPECT_EQ(controls.text(CodeInput), "\r\n");

  key(CodeInput, VK_ESCAPE);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_TRUE(quitPosted);
}

// The colours of a rectangle of a control's area, as painted on the screen.
std::vector<COLORREF> pixels(HWND w, const RECT& r) {
  HDC screen = GetDC(w);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right - r.left, r.bottom - r.top);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, r.right - r.left, r.bottom - r.top, screen, r.left, r.top, SRCCOPY);
  std::vector<COLORREF> out;
  for (int y = 0; y < r.bottom - r.top; ++y) {
    for (int x = 0; x < r.right - r.left; ++x) out.push_back(GetPixel(memory, x, y));
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(w, screen);
  return out;
}

bool reddish(COLORREF c) {
  return GetRValue(c) > 200 && GetGValue(c) < 160 && GetBValue(c) < 160;
}

TEST_F(MainWindowTest, ResultLabelDrawsRedTextOverTheGroupBoxAndLeavesNoTrace) {
  HWND box = at(CodeOutputGroup);
  RECT label;
  GetWindowRect(at(ResultLabel), &label);
  MapWindowPoints(HWND_DESKTOP, box, reinterpret_cast<POINT*>(&label), 2);
  label.top = 0;  // the strip above the group box is clipped
  auto paint = [&] {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    pump();
  };

  const std::vector<COLORREF> before = pixels(box, label);
  EXPECT_EQ(std::count_if(before.begin(), before.end(), reddish), 0);
  EXPECT_EQ(before.back(), RGB(255, 255, 255));

  controls.setVisible(ResultLabel, true);
  controls.setText(ResultLabel, Text(caption::kWaiting));
  paint();
  const std::vector<COLORREF> shown = pixels(box, label);
  EXPECT_GT(std::count_if(shown.begin(), shown.end(), reddish), 50);
  EXPECT_EQ(shown.back(), RGB(255, 255, 255));  // no background of its own

  // A new caption replaces the old one instead of being drawn over it.
  controls.setText(ResultLabel, "");
  paint();
  EXPECT_EQ(pixels(box, label), before);
  controls.setText(ResultLabel, Text(caption::kSuccess));
  paint();
  controls.setVisible(ResultLabel, false);
  paint();
  EXPECT_EQ(pixels(box, label), before);
}

}  // namespace
}  // namespace lumdrift

namespace lumdrift {
namespace {

// The room a control's text has, in pixels across, and whether its height
// takes a line of its font.
struct Room {
  int width, height;
};

Room roomFor(HWND w, const ControlRow& row) {
  RECT client;
  GetClientRect(w, &client);
  const int width = client.right, height = client.bottom;
  switch (row.kind) {
    case ControlKind::DropDownList: {
      COMBOBOXINFO info = {};
      info.cbSize = sizeof info;
      GetComboBoxInfo(w, &info);
      return {info.rcItem.right - info.rcItem.left - 2, info.rcItem.bottom - info.rcItem.top};
    }
    case ControlKind::SingleLineEdit: {
      RECT r;
      SendMessageW(w, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
      return {r.right - r.left, r.bottom - r.top};
    }
    case ControlKind::PushButton: return {width - 6, height - 4};  // the button's edges
    case ControlKind::GroupBox: return {width - 16, height};       // the frame around the caption
    default: return {width, height};
  }
}

// The texts a control must show whole: its own, every item of a list, every
// caption and message it is given while the tool runs.
std::vector<std::string_view> textsOf(const ControlRow& row) {
  namespace c = caption;
  switch (row.id) {
    case ControlId::EditionList:
    case ControlId::SpacingList: return {row.items.begin(), row.items.end()};
    case ControlId::CodeInputGroup: return {c::kInputProfessional, c::kInputBasic, c::kInputTmall};
    case ControlId::GenerateButton: return {c::kGenerateStart, c::kGenerateBusy, c::kGenerateIdle};
    case ControlId::OffsetEdit: return {"-960", "-1060"};
    case ControlId::SpacingEdit: return {"0", "-10", "-20"};
    case ControlId::ResultLabel: {
      // The longest the success message grows with what was repaired.
      static const std::string repaired =
          std::string(c::kSuccess) + "已修复99个热区的位置、去掉99个多余的</span>等";
      return {
          c::kWaiting,          c::kSuccess,           c::kClipboardFailed,    c::kPreviewNotSaved,
          c::kPreviewFirst,     c::kPreviewOpenFailed, c::kShortcutFailed,     c::kShortcutFromTemp,
          c::kWidthNeedsNumber, c::kHeightNeedsNumber, c::kSpacingNeedsNumber, repaired};
    }
    case ControlId::CodeInput:
    case ControlId::CodeOutput: return {};
    default: return {row.text};
  }
}

SIZE textSize(HWND w, std::string_view text) {
  HDC dc = GetDC(w);
  auto font = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  const std::wstring wide = win32::wide(text);
  SIZE size{};
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(w, dc);
  return size;
}

RECT rectIn(HWND w, HWND parent) {
  RECT r;
  GetWindowRect(w, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool overlap(const RECT& a, const RECT& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Every text fits its control, no two controls of one container overlap, and
// every control lies inside its container.
void expectWhole(HWND window, const WindowControls& controls) {
  for (const ControlRow& row : controlTable()) {
    HWND w = controls.window(row.id);
    if (w == nullptr || row.id == ControlId::MainWindow) continue;
    SCOPED_TRACE(row.name);
    const Room room = roomFor(w, row);
    for (std::string_view text : textsOf(row)) {
      const SIZE size = textSize(w, text);
      EXPECT_LE(size.cx, room.width) << text << ", font " << fontOf(w).lfHeight;
      if (row.kind != ControlKind::GroupBox) {
        EXPECT_LE(size.cy, room.height) << text;
      }
    }
    HWND parent = GetParent(w);
    RECT inside;
    GetClientRect(parent, &inside);
    const RECT r = rectIn(w, parent);
    // The result label lies across its frame's top edge, and is cut there.
    if (row.id != ControlId::ResultLabel) {
      EXPECT_GE(r.top, inside.top);
    }
    EXPECT_GE(r.left, inside.left);
    EXPECT_LE(r.right, inside.right);
    EXPECT_LE(r.bottom, inside.bottom);
    for (const ControlRow& other : controlTable()) {
      HWND o = controls.window(other.id);
      if (other.id <= row.id || o == nullptr || GetParent(o) != parent) continue;
      EXPECT_FALSE(overlap(r, rectIn(o, parent))) << "overlaps " << other.name;
    }
  }
  RECT client;
  GetClientRect(window, &client);
  EXPECT_GT(client.right, 0);
}

// At the screen's DPI. CTest runs this again with the prefix at 120, 144 and
// 192 DPI (LUMDRIFT_EXPECTED_DPI says which), where the window must be laid
// out for that DPI, not only at 96.
TEST_F(MainWindowTest, AtTheScreensDpiEveryTextFitsAndNothingOverlaps) {
  const int dpi = dpiOf(window);
  if (const char* expected = std::getenv("LUMDRIFT_EXPECTED_DPI")) {
    ASSERT_EQ(dpi, std::atoi(expected)) << "the prefix's LogPixels did not take";
  }
  // The layout grew with the DPI: the code input box is as many inches wide.
  EXPECT_NEAR(rectIn(at(CodeInput), at(CodeInputGroup)).right -
                  rectIn(at(CodeInput), at(CodeInputGroup)).left,
              704.0 * dpi / 96, 1.0);
  expectWhole(window, controls);
}

// Moved to a screen of another DPI, the window is laid out for it, with
// fonts of that size, and back at 96 it is the design's again.
TEST_F(MainWindowTest, AnotherScreensDpiLaysTheWindowOutAgain) {
  const int start = dpiOf(window);
  RECT before;
  GetWindowRect(window, &before);
  for (const int dpi : {144, 192, start}) {
    SCOPED_TRACE(dpi);
    RECT suggested = before;
    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    pump();
    EXPECT_NEAR(rectIn(at(CodeInput), at(CodeInputGroup)).right -
                    rectIn(at(CodeInput), at(CodeInputGroup)).left,
                704.0 * dpi / 96, 1.0);
    EXPECT_EQ(fontOf(at(GenerateButton)).lfHeight, -(12 * dpi + 48) / 96);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_GE(client.bottom, (429 * dpi + 48) / 96) << "the output frame must fit";
    expectWhole(window, controls);
  }
  RECT after;
  GetWindowRect(window, &after);
  EXPECT_EQ(after.right - after.left, before.right - before.left);
  EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}

}  // namespace
}  // namespace lumdrift
