// The main window as it opens: its frame and place on the screen, the start
// state of every control, every control's rectangle, and how it looks after
// a generation.

#include "base/window_layout.h"
#include "tests/e2e/fixture.h"

namespace lumdrift::e2e {
namespace {

class Window : public E2eTest {};

TEST_F(Window, OpensCentredWithFixedFrameAndTitle) {
  serveTestTemplates();
  App& a = start();
  HWND w = a.window();
  ASSERT_NE(w, nullptr);

  EXPECT_EQ(text(w), "Lumdrift");
  RECT r{};
  GetWindowRect(w, &r);
  EXPECT_EQ(r.right - r.left, 754);
  EXPECT_EQ(r.bottom - r.top, 468);
  EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - 754) / 2);
  EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - 468) / 2);

  const LONG style = GetWindowLongA(w, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME) << "the window must not be resizable";
  EXPECT_FALSE(style & WS_CHILD);
  const LONG exStyle = GetWindowLongA(w, GWL_EXSTYLE);
  EXPECT_FALSE(exStyle & WS_EX_TOPMOST);
  EXPECT_FALSE(exStyle & WS_EX_TOOLWINDOW) << "the window needs a taskbar button";
  EXPECT_EQ(GetParent(w), nullptr);
  EXPECT_EQ(GetMenu(w), nullptr);
}

TEST_F(Window, ControlsOpenInTheirStartState) {
  serveTestTemplates();
  App& a = start();
  for (const ControlRow& row : controlTable()) {
    if (row.kind == ControlKind::Timer) continue;
    SCOPED_TRACE(std::string(row.name));
    HWND h = a.control(row.id);
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(visible(h), row.visible);
    EXPECT_EQ(enabled(h), row.enabled);
    if (row.kind == ControlKind::DropDownList) {
      EXPECT_EQ(selection(h), row.selection);
      const std::vector<std::string> expected(row.items.begin(), row.items.end());
      EXPECT_EQ(items(h), expected);
      EXPECT_EQ(text(h), std::string(row.items[row.selection]));
      const LONG style = GetWindowLongA(h, GWL_STYLE);
      EXPECT_EQ(style & 3, CBS_DROPDOWNLIST) << "nothing can be typed into the list";
      EXPECT_FALSE(style & CBS_SORT);
    } else {
      EXPECT_EQ(text(h), std::string(row.text));
    }
    const LONG style = GetWindowLongA(h, GWL_STYLE);
    if (row.kind == ControlKind::SingleLineEdit || row.kind == ControlKind::MultiLineEdit) {
      EXPECT_FALSE(style & ES_NUMBER) << "any characters may be typed";
      EXPECT_TRUE(GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
      EXPECT_GE(static_cast<DWORD>(SendMessageA(h, EM_GETLIMITTEXT, 0, 0)), 0x7FFFFFFEu)
          << "the text limit must be raised to the largest";
    }
    if (row.kind == ControlKind::MultiLineEdit) {
      EXPECT_TRUE(style & WS_VSCROLL);
      EXPECT_FALSE(style & (WS_HSCROLL | ES_AUTOHSCROLL)) << "lines wrap at the box's width";
    }
    if (row.kind == ControlKind::PushButton) {
      EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON) << "no button is a default button";
    }
    // The send-to-desktop button is left out: whether it takes the focus is
    // not fixed.
    const bool takesFocus =
        row.kind == ControlKind::SingleLineEdit || row.kind == ControlKind::MultiLineEdit ||
        row.kind == ControlKind::DropDownList || row.kind == ControlKind::PushButton;
    if (row.id != SpacingEdit && row.kind != ControlKind::TextButton) {
      EXPECT_EQ((style & WS_TABSTOP) != 0, takesFocus);
    }
  }
  EXPECT_EQ(text(a.control(GenerateButton)), "生成并复制");
  EXPECT_EQ(text(a.control(TimesLabel)), "宽\u00D7高") << "the multiplication sign U+00D7";
}

TEST_F(Window, ControlRectanglesMatchTheLayout) {
  serveTestTemplates();
  App& a = start();
  for (const ControlRow& row : controlTable()) {
    const std::optional<Rect> place = controlRect(row.id);
    if (!place) continue;
    SCOPED_TRACE(std::string(row.name));
    HWND h = a.control(row.id);
    ASSERT_NE(h, nullptr);
    const RECT r = rectInParent(h);
    EXPECT_EQ(r.left, place->left);
    EXPECT_EQ(r.top, place->top);
    EXPECT_EQ(r.right - r.left, place->width);
    EXPECT_EQ(r.bottom - r.top, place->height);
  }
}

// A generation with the result label shown, saved for a person to look at;
// the page is white and the label's text is red.
TEST_F(Window, LooksRightAfterAGeneration) {
  serveTestTemplates();
  App& a = start();
  waitForDownload(4);
  setText(ctl(CodeInput), kUserCode);
  // Right after a tick the label stays up for most of six seconds.
  click(ctl(GenerateButton));
  ASSERT_TRUE(waitUntil([&] { return !visible(ctl(ResultLabel)); }, 7000));
  click(ctl(GenerateButton));
  ASSERT_TRUE(visible(ctl(ResultLabel)));
  Sleep(300);

  RECT r{};
  GetWindowRect(a.window(), &r);
  const Picture shot = captureScreen(r);
  EXPECT_TRUE(shot.saveBmp(windowsPath(LUMDRIFT_E2E_SHOTS) + "\\after-generation.bmp"));
  ASSERT_TRUE(visible(ctl(ResultLabel))) << "the label went before the picture was taken";

  POINT client{0, 0};
  ClientToScreen(a.window(), &client);
  const int dx = client.x - r.left, dy = client.y - r.top;
  // Spots of the client area that no control covers.
  for (POINT p : {POINT{3, 3}, POINT{745, 3}, POINT{3, 420}, POINT{400, 68}}) {
    SCOPED_TRACE("client point " + std::to_string(p.x) + "," + std::to_string(p.y));
    ASSERT_LT(dx + p.x, shot.width);
    ASSERT_LT(dy + p.y, shot.height);
    EXPECT_EQ(shot.at(dx + p.x, dy + p.y), 0xFFFFFFu);
  }
  // The label: 80,286 in the client area, 650 x 24.
  int red = 0;
  for (int y = dy + 286; y < dy + 286 + 24 && y < shot.height; ++y)
    for (int x = dx + 80; x < dx + 80 + 650 && x < shot.width; ++x) {
      const std::uint32_t px = shot.at(x, y);
      const int R = px >> 16 & 0xFF, G = px >> 8 & 0xFF, B = px & 0xFF;
      if (R > 200 && G < 80 && B < 80) ++red;
    }
  EXPECT_GT(red, 100) << "the result label's text is red";
}

}  // namespace
}  // namespace lumdrift::e2e
