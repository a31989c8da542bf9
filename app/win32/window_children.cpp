#include "app/win32/window_children.h"

#include <commctrl.h>

#include <algorithm>
#include <climits>
#include <string>

#include "app/win32/window_dpi.h"
#include "app/win32/window_paint.h"
#include "base/control_table.h"
#include "base/win32_debug_log.h"
#include "base/win32_text.h"
#include "base/window_layout.h"

namespace lumdrift {
namespace {

using enum ControlId;

HFONT stockGuiFont() {
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

// The default GUI font is made for the system's DPI; a window on a screen of
// another DPI gets a copy of it in the size for that screen. Empty when the
// stock font is the right one, or the copy could not be made.
win32::FontHandle guiFontFor(int dpi) {
  const int system = systemDpi();
  if (dpi == system) return {};
  LOGFONTW font;
  if (GetObjectW(stockGuiFont(), sizeof font, &font) != sizeof font) {
    win32::failed("GetObject of the GUI font");
    return {};
  }
  font.lfHeight = MulDiv(font.lfHeight, dpi, system);
  font.lfWidth = 0;
  win32::FontHandle copy(CreateFontIndirectW(&font));
  if (!copy) win32::failed("CreateFontIndirect of the GUI font for the screen's DPI");
  return copy;
}

// A group box holds real controls, so their notifications arrive here and go
// on to the main window. It also paints its own white background, which the
// transparent labels inside it show through.
LRESULT CALLBACK groupBoxProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  switch (message) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: return SendMessageW(GetParent(box), message, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(box, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, whiteBrush());
      return 1;
    }
    default: return DefSubclassProc(box, message, wParam, lParam);
  }
}

// A multi-line edit box takes every key, Tab included, so the focus could
// never leave it by keyboard. Tab goes to the dialog navigation instead; Enter
// still starts a new line. The code input box also tells its double-click to
// the main window, which runs the event.
LRESULT CALLBACK multiLineEditProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR mainWindow) {
  if (message == WM_GETDLGCODE) {
    LRESULT code = DefSubclassProc(edit, message, wParam, lParam) & ~DLGC_WANTTAB;
    const auto* key = reinterpret_cast<const MSG*>(lParam);
    if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
      code &= ~DLGC_WANTALLKEYS;
    }
    return code;
  }
  if (message != WM_LBUTTONDBLCLK || mainWindow == 0) {
    return DefSubclassProc(edit, message, wParam, lParam);
  }
  const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
  SendMessageW(reinterpret_cast<HWND>(mainWindow), kCodeInputDoubleClicked, 0, 0);
  return result;
}

HFONT createOwnFont(const OwnFont& own, int dpi) {
  LOGFONTW font;
  if (GetObjectW(stockGuiFont(), sizeof font, &font) != sizeof font) return nullptr;
  font.lfHeight = -scaled(own.height, dpi);
  font.lfWidth = 0;
  font.lfWeight = own.weight;
  font.lfItalic = font.lfUnderline = font.lfStrikeOut = FALSE;
  if (!own.face.empty()) {
    const std::wstring face = win32::wide(own.face);
    const std::size_t n = face.copy(font.lfFaceName, LF_FACESIZE - 1);
    font.lfFaceName[n] = L'\0';
  }
  if (own.gb2312Charset) font.lfCharSet = GB2312_CHARSET;
  return CreateFontIndirectW(&font);
}

struct ChildClass {
  const wchar_t* name;
  DWORD style;
  DWORD exStyle;
};

ChildClass childClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::GroupBox: return {L"Button", BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case ControlKind::DropDownList:
      return {L"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::Label:
    case ControlKind::TransparentLabel:
      return {L"Static", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case ControlKind::SingleLineEdit:
      return {L"Edit", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::MultiLineEdit:
      return {L"Edit",
              ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::PushButton: return {L"Button", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::TextButton: return {L"Button", BS_OWNERDRAW | WS_TABSTOP, 0};
    case ControlKind::Timer: break;
  }
  return {nullptr, 0, 0};
}

}  // namespace

HWND createChildWindow(HWND mainWindow, HWND parent, const ControlRow& row, int dpi) {
  const ChildClass cls = childClass(row.kind);
  if (cls.name == nullptr) return nullptr;
  const Rect place = scaled(*controlRect(row.id), dpi);
  DWORD style = WS_CHILD | cls.style;
  if (row.visible) style |= WS_VISIBLE;
  if (!row.enabled) style |= WS_DISABLED;
  // A drop-down list is created with the height it has when opened.
  const int height =
      row.kind == ControlKind::DropDownList ? scaled(kDropDownHeight, dpi) : place.height;
  const std::wstring text = win32::wide(row.text);
  return CreateWindowExW(
      cls.exStyle, cls.name, text.c_str(), style, place.left, place.top, place.width, height,
      parent, reinterpret_cast<HMENU>(kFirstChildId + static_cast<int>(row.id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(mainWindow, GWLP_HINSTANCE)), nullptr);
}

void fillDropDownList(HWND list, const ControlRow& row) {
  for (std::string_view item : row.items) {
    const std::wstring text = win32::wide(item);
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(row.selection), 0);
}

namespace {

// The control's font for the DPI: its own, or the shared GUI font.
void setFont(WindowControls& controls, const ControlRow& row, HFONT guiFont, int dpi) {
  HWND w = controls.window(row.id);
  SendMessageW(w, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), FALSE);
  const std::optional<OwnFont> own = ownFont(row.id);
  if (!own) return;
  // Without its own font the control keeps the default one and still works.
  if (HFONT font = createOwnFont(*own, dpi)) {
    controls.setOwnFont(row.id, font);
  } else {
    const DWORD error = GetLastError();
    win32::failedWith("CreateFontIndirect for " + std::string(row.name), error);
  }
}

// Fonts do not grow in step with the DPI: at some scalings a list's longest
// item is a few pixels wider than its scaled field. The list then widens into
// the free space before its right-hand neighbour, never further; at 96 DPI
// every item fits and nothing moves.
void widenToItems(HWND w, const ControlRow& row, int dpi) {
  COMBOBOXINFO info = {};
  info.cbSize = sizeof info;
  if (!GetComboBoxInfo(w, &info)) {
    win32::failed("GetComboBoxInfo");
    return;
  }
  int widest = 0;
  {
    const win32::WindowDc dc(w);
    if (dc.get() == nullptr) return;
    const win32::Selection font(dc.get(),
                                reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)));
    for (std::string_view item : row.items) {
      const std::wstring text = win32::wide(item);
      SIZE size{};
      GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
      if (size.cx > widest) widest = size.cx;
    }
  }
  // The field draws its text a pixel in from each side.
  const int missing = widest + 2 - (info.rcItem.right - info.rcItem.left);
  if (missing <= 0) return;
  const Rect place = scaled(*controlRect(row.id), dpi);
  int limit = INT_MAX;
  for (const ControlRow& other : controlTable()) {
    const std::optional<Rect> r = controlRect(other.id);
    if (other.id == row.id || other.container != row.container || !r) continue;
    const Rect o = scaled(*r, dpi);
    const bool sameRow = o.top < place.top + place.height && place.top < o.top + o.height;
    if (sameRow && o.left >= place.left + place.width) limit = std::min(limit, o.left - 1);
  }
  const int width = std::min(place.width + missing, limit - place.left);
  if (width <= place.width) return;
  RECT now;
  GetWindowRect(w, &now);
  if (!SetWindowPos(w, nullptr, 0, 0, width, now.bottom - now.top,
                    SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    const DWORD error = GetLastError();
    win32::failedWith("SetWindowPos widening " + std::string(row.name), error);
  }
}

// The closed control takes the layout's height whatever the font, and the
// rows of its list are one pixel taller than the font's default.
void sizeDropDownList(HWND w, ControlId id, int dpi) {
  // How the selection field's height adds up to the control's differs between
  // systems, so measure it once and correct.
  const auto closedHeight = [w] {
    RECT r;
    GetWindowRect(w, &r);
    return static_cast<int>(r.bottom - r.top);
  };
  const auto field = static_cast<int>(SendMessageW(w, CB_GETITEMHEIGHT, -1, 0));
  if (field > 0) {
    SendMessageW(w, CB_SETITEMHEIGHT, -1, field);
    const int wanted = field + scaled(*controlRect(id), dpi).height - closedHeight();
    if (wanted > 0) SendMessageW(w, CB_SETITEMHEIGHT, -1, wanted);
  }
  // The list's rows follow the font: the default row height comes from a
  // fresh measure, not from what an earlier DPI left.
  TEXTMETRICW metrics{};
  bool measured = false;
  if (const win32::WindowDc dc(w); dc.get() != nullptr) {
    const win32::Selection font(dc.get(),
                                reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0)));
    measured = GetTextMetricsW(dc.get(), &metrics) != FALSE;
  }
  const LRESULT rowHeight = measured ? metrics.tmHeight : SendMessageW(w, CB_GETITEMHEIGHT, 0, 0);
  if (rowHeight > 0) {
    SendMessageW(w, CB_SETITEMHEIGHT, 0, rowHeight + 1);
    // Wine ignores the combo's message when the list is not owner-drawn;
    // the list itself takes it everywhere.
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(w, &info) && info.hwndList != nullptr) {
      SendMessageW(info.hwndList, LB_SETITEMHEIGHT, 0, rowHeight + 1);
    }
  }
}

void prepareChild(HWND mainWindow, WindowControls& controls, const ControlRow& row, HFONT guiFont,
                  int dpi) {
  HWND w = controls.window(row.id);
  setFont(controls, row, guiFont, dpi);
  switch (row.kind) {
    case ControlKind::GroupBox:
      if (!SetWindowSubclass(w, groupBoxProc, 0, 0)) win32::failed("SetWindowSubclass of a frame");
      break;
    case ControlKind::DropDownList:
      fillDropDownList(w, row);
      sizeDropDownList(w, row.id, dpi);
      widenToItems(w, row, dpi);
      break;
    case ControlKind::SingleLineEdit: SendMessageW(w, EM_SETLIMITTEXT, 0, 0); break;
    case ControlKind::MultiLineEdit:
      SendMessageW(w, EM_SETLIMITTEXT, 0, 0);
      if (!SetWindowSubclass(w, multiLineEditProc, 0,
                             row.id == CodeInput ? reinterpret_cast<DWORD_PTR>(mainWindow) : 0)) {
        win32::failed("SetWindowSubclass of a code box");
      }
      break;
    default: break;
  }
}

}  // namespace

bool createControls(HWND mainWindow, WindowControls& controls, int dpi) {
  win32::FontHandle ownGui = guiFontFor(dpi);
  HFONT guiFont = ownGui ? ownGui.get() : stockGuiFont();
  controls.setSharedFont(std::move(ownGui));
  for (const ControlRow& row : controlTable()) {
    if (row.kind == ControlKind::Timer) continue;
    HWND parent = row.container == MainWindow ? mainWindow : controls.window(row.container);
    HWND w = createChildWindow(mainWindow, parent, row, dpi);
    if (w == nullptr) {
      const DWORD error = GetLastError();
      win32::failedWith("CreateWindowEx of " + std::string(row.name), error);
      return false;
    }
    controls.attach(row.id, w);
    prepareChild(mainWindow, controls, row, guiFont, dpi);
  }
  // The shortcut button sits on the code input frame's top edge, above the
  // box: Tab reaches it before the box, in reading order.
  if (!SetWindowPos(controls.window(SendToDesktopButton), HWND_TOP, 0, 0, 0, 0,
                    SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE)) {
    win32::failed("SetWindowPos of the shortcut button's tab order");
  }
  if (SetTimer(mainWindow, kTimerId, kTimerPeriodMs, nullptr) == 0) {
    win32::failed("SetTimer");
    return false;
  }
  return true;
}

void applyDpi(WindowControls& controls, int dpi) {
  win32::FontHandle ownGui = guiFontFor(dpi);
  HFONT guiFont = ownGui ? ownGui.get() : stockGuiFont();
  for (const ControlRow& row : controlTable()) {
    HWND w = controls.window(row.id);
    const std::optional<Rect> place = controlRect(row.id);
    if (w == nullptr || !place || row.id == MainWindow) continue;
    const Rect r = scaled(*place, dpi);
    const int height =
        row.kind == ControlKind::DropDownList ? scaled(kDropDownHeight, dpi) : r.height;
    if (!SetWindowPos(w, nullptr, r.left, r.top, r.width, height, SWP_NOZORDER | SWP_NOACTIVATE)) {
      const DWORD error = GetLastError();
      win32::failedWith("SetWindowPos for the DPI of " + std::string(row.name), error);
    }
    setFont(controls, row, guiFont, dpi);
    if (row.kind == ControlKind::DropDownList) {
      sizeDropDownList(w, row.id, dpi);
      widenToItems(w, row, dpi);
    }
  }
  // Only now that no control uses it any more may the old font go.
  controls.setSharedFont(std::move(ownGui));
}

}  // namespace lumdrift
