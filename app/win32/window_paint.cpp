#include "app/win32/window_paint.h"

#include "base/control_table.h"
#include "base/win32_handles.h"

namespace lumdrift {
namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kResultRed = RGB(255, 0, 0);

}  // namespace

using enum ControlId;

HBRUSH whiteBrush() {
  return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

LRESULT staticColors(ControlId id, HDC dc) {
  switch (controlRow(id).kind) {
    case ControlKind::TransparentLabel:
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, id == ResultLabel ? kResultRed : kBlack);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    case ControlKind::Label:
    case ControlKind::GroupBox:
      SetBkColor(dc, kWhite);
      SetTextColor(dc, kBlack);
      return reinterpret_cast<LRESULT>(whiteBrush());
    default: return 0;  // read-only and disabled edit boxes keep the system's colours
  }
}

// The send-to-desktop command: a flat button that is little more than its text.
void drawTextButton(const DRAWITEMSTRUCT& item) {
  // Drawing calls fail only on a device context that has gone bad, and the
  // next paint draws again: nothing to report.
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &r, pressed ? GetSysColorBrush(COLOR_BTNFACE) : whiteBrush());
  FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  const int length = GetWindowTextLengthW(item.hwndItem);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(item.hwndItem, text.data(), length + 1)));
  {
    const win32::Selection font(
        dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
    if (pressed) OffsetRect(&r, 1, 1);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  }
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace lumdrift
