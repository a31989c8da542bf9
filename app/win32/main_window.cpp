#include "app/win32/main_window.h"

#include <windows.h>
// windows.h before the other system headers
#include <commctrl.h>

#include "app/captions.h"
#include "app/control_table.h"
#include "app/events.h"
#include "app/win32/resource_ids.h"
#include "app/window_layout.h"

namespace lumdrift {
namespace {

using enum ControlId;

constexpr UINT_PTR kTimerId = 1;
// Clear of IDOK and IDCANCEL, which IsDialogMessage sends for Enter and Esc.
constexpr int kFirstChildId = 100;
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kResultRed = RGB(255, 0, 0);

HBRUSH whiteBrush() {
  return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}
HFONT guiFont() {
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

MainWindowContext* contextOf(HWND window) {
  return reinterpret_cast<MainWindowContext*>(GetWindowLongPtrA(window, GWLP_USERDATA));
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
    case WM_CTLCOLORSCROLLBAR: return SendMessageA(GetParent(box), message, wParam, lParam);
    case WM_ERASEBKGND: {
      RECT r;
      GetClientRect(box, &r);
      FillRect(reinterpret_cast<HDC>(wParam), &r, whiteBrush());
      return 1;
    }
    default: return DefSubclassProc(box, message, wParam, lParam);
  }
}

LRESULT CALLBACK codeInputProc(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                               DWORD_PTR mainWindow) {
  if (message != WM_LBUTTONDBLCLK) return DefSubclassProc(edit, message, wParam, lParam);
  const LRESULT result = DefSubclassProc(edit, message, wParam, lParam);
  if (MainWindowContext* context = contextOf(reinterpret_cast<HWND>(mainWindow))) {
    dispatch(context->services, 编辑框4, Event::DoubleClicked);
  }
  return result;
}

HFONT createOwnFont(const OwnFont& own) {
  LOGFONTA font;
  if (GetObjectA(guiFont(), sizeof font, &font) != sizeof font) return nullptr;
  font.lfHeight = -own.height;
  font.lfWidth = 0;
  font.lfWeight = own.weight;
  font.lfItalic = font.lfUnderline = font.lfStrikeOut = FALSE;
  if (!own.face.empty()) {
    const std::size_t n = own.face.copy(font.lfFaceName, LF_FACESIZE - 1);
    font.lfFaceName[n] = '\0';
  }
  if (own.gb2312Charset) font.lfCharSet = GB2312_CHARSET;
  return CreateFontIndirectA(&font);
}

struct ChildClass {
  const char* name;
  DWORD style;
  DWORD exStyle;
};

ChildClass childClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::GroupBox: return {"Button", BS_GROUPBOX, WS_EX_CONTROLPARENT};
    case ControlKind::DropDownList:
      return {"ComboBox", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::Label:
    case ControlKind::TransparentLabel:
      return {"Static", SS_LEFT | SS_CENTERIMAGE | SS_NOPREFIX, 0};
    case ControlKind::SingleLineEdit:
      return {"Edit", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    case ControlKind::MultiLineEdit:
      return {"Edit",
              ES_LEFT | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP,
              WS_EX_CLIENTEDGE};
    case ControlKind::PushButton: return {"Button", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::TextButton: return {"Button", BS_OWNERDRAW | WS_TABSTOP, 0};
    case ControlKind::Window:
    case ControlKind::Timer: break;
  }
  return {nullptr, 0, 0};
}

HWND createChild(HWND mainWindow, const WindowControls& controls, const ControlRow& row) {
  const ChildClass cls = childClass(row.kind);
  const Rect place = *controlRect(row.id);
  HWND parent = row.container == 窗口 ? mainWindow : controls.window(row.container);
  DWORD style = WS_CHILD | cls.style;
  if (row.visible) style |= WS_VISIBLE;
  if (!row.enabled) style |= WS_DISABLED;
  // A drop-down list is created with the height it has when opened.
  const int height = row.kind == ControlKind::DropDownList ? kDropDownHeight : place.height;
  const Text text(row.text);
  return CreateWindowExA(
      cls.exStyle, cls.name, text.c_str(), style, place.left, place.top, place.width, height,
      parent, reinterpret_cast<HMENU>(kFirstChildId + static_cast<int>(row.id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(mainWindow, GWLP_HINSTANCE)), nullptr);
}

void prepareChild(HWND mainWindow, WindowControls& controls, const ControlRow& row) {
  HWND w = controls.window(row.id);
  SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont()), FALSE);
  if (const std::optional<OwnFont> own = ownFont(row.id)) {
    if (HFONT font = createOwnFont(*own)) controls.setOwnFont(row.id, font);
  }
  switch (row.kind) {
    case ControlKind::GroupBox: SetWindowSubclass(w, groupBoxProc, 0, 0); break;
    case ControlKind::DropDownList: {
      for (std::string_view item : row.items) {
        const Text text(item);
        SendMessageA(w, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
      }
      SendMessageA(w, CB_SETCURSEL, static_cast<WPARAM>(row.selection), 0);
      // The closed control takes the layout's height whatever the font. How
      // the selection field's height adds up to the control's differs between
      // systems, so measure it once and correct.
      const auto closedHeight = [w] {
        RECT r;
        GetWindowRect(w, &r);
        return static_cast<int>(r.bottom - r.top);
      };
      const auto field = static_cast<int>(SendMessageA(w, CB_GETITEMHEIGHT, -1, 0));
      if (field > 0) {
        SendMessageA(w, CB_SETITEMHEIGHT, -1, field);
        const int wanted = field + controlRect(row.id)->height - closedHeight();
        if (wanted > 0) SendMessageA(w, CB_SETITEMHEIGHT, -1, wanted);
      }
      const LRESULT rowHeight = SendMessageA(w, CB_GETITEMHEIGHT, 0, 0);
      if (rowHeight > 0) {
        SendMessageA(w, CB_SETITEMHEIGHT, 0, rowHeight + 1);
        // Wine ignores the combo's message when the list is not owner-drawn;
        // the list itself takes it everywhere.
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(w, &info) && info.hwndList != nullptr) {
          SendMessageA(info.hwndList, LB_SETITEMHEIGHT, 0, rowHeight + 1);
        }
      }
      break;
    }
    case ControlKind::SingleLineEdit:
    case ControlKind::MultiLineEdit:
      SendMessageA(w, EM_SETLIMITTEXT, 0, 0);
      if (row.id == 编辑框4) {
        SetWindowSubclass(w, codeInputProc, 0, reinterpret_cast<DWORD_PTR>(mainWindow));
      }
      break;
    default: break;
  }
}

bool createControls(HWND mainWindow, WindowControls& controls) {
  for (const ControlRow& row : controlTable()) {
    if (row.kind == ControlKind::Timer) continue;
    HWND w = createChild(mainWindow, controls, row);
    if (w == nullptr) return false;
    controls.attach(row.id, w);
    prepareChild(mainWindow, controls, row);
  }
  return SetTimer(mainWindow, kTimerId, kTimerPeriodMs, nullptr) != 0;
}

std::optional<Event> eventOf(ControlKind kind, WORD code) {
  switch (kind) {
    case ControlKind::DropDownList:
      if (code == CBN_SELCHANGE) return Event::ItemSelected;
      break;
    case ControlKind::SingleLineEdit:
    case ControlKind::MultiLineEdit:
      if (code == EN_CHANGE) return Event::TextChanged;
      break;
    case ControlKind::PushButton:
    case ControlKind::TextButton:
      if (code == BN_CLICKED) return Event::Clicked;
      break;
    default: break;
  }
  return std::nullopt;
}

void onCommand(MainWindowContext& context, WPARAM wParam, LPARAM lParam) {
  const std::optional<ControlId> id = context.controls.idOf(reinterpret_cast<HWND>(lParam));
  if (!id) return;
  if (const std::optional<Event> event = eventOf(controlRow(*id).kind, HIWORD(wParam))) {
    dispatch(context.services, *id, *event);
  }
}

LRESULT onColorStatic(MainWindowContext& context, HDC dc, HWND control) {
  const std::optional<ControlId> id = context.controls.idOf(control);
  if (!id) return 0;
  switch (controlRow(*id).kind) {
    case ControlKind::TransparentLabel:
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, *id == 透明标签生成结果 ? kResultRed : kBlack);
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
  HDC dc = item.hDC;
  RECT r = item.rcItem;
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &r, pressed ? GetSysColorBrush(COLOR_BTNFACE) : whiteBrush());
  FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNSHADOW));
  const int length = GetWindowTextLengthA(item.hwndItem);
  Text text(static_cast<std::size_t>(length) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(item.hwndItem, text.data(), length + 1)));
  auto font = reinterpret_cast<HFONT>(SendMessageA(item.hwndItem, WM_GETFONT, 0, 0));
  HGDIOBJ oldFont = font != nullptr ? SelectObject(dc, font) : nullptr;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor((item.itemState & ODS_DISABLED) ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
  if (pressed) OffsetRect(&r, 1, 1);
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
  if (oldFont != nullptr) SelectObject(dc, oldFont);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = item.rcItem;
    InflateRect(&focus, -2, -2);
    DrawFocusRect(dc, &focus);
  }
}

void onActivate(HWND window, MainWindowContext& context, WPARAM wParam) {
  if (LOWORD(wParam) == WA_INACTIVE) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus)) context.lastFocus = focus;
    return;
  }
  if (HIWORD(wParam) != 0) return;  // minimised
  HWND focus = context.lastFocus;
  if (focus == nullptr || !IsWindow(focus) || !IsWindowVisible(focus) || !IsWindowEnabled(focus)) {
    focus = GetNextDlgTabItem(window, nullptr, FALSE);
  }
  if (focus != nullptr) SetFocus(focus);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  MainWindowContext* context = contextOf(window);
  if (context == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_CREATE:
      if (!createControls(window, context->controls)) return -1;
      context->ready = true;
      dispatch(context->services, 窗口, Event::CreationComplete);
      return 0;
    case WM_COMMAND:
      if (context->ready && lParam != 0) onCommand(*context, wParam, lParam);
      return 0;
    case WM_TIMER:
      if (wParam == kTimerId) dispatch(context->services, 时钟1, Event::Tick);
      return 0;
    case WM_CTLCOLORSTATIC:
      if (LRESULT brush = onColorStatic(*context, reinterpret_cast<HDC>(wParam),
                                        reinterpret_cast<HWND>(lParam))) {
        return brush;
      }
      break;
    case WM_CTLCOLORBTN: return reinterpret_cast<LRESULT>(whiteBrush());
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_BUTTON) break;
      drawTextButton(*item);
      return TRUE;
    }
    case WM_ACTIVATE: onActivate(window, *context, wParam); return 0;
    case WM_NCDESTROY: {
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      context->ready = false;
      for (int i = 0; i < kControlCount; ++i) {
        context->controls.attach(static_cast<ControlId>(i), nullptr);
      }
      if (context->destroyed != nullptr) context->destroyed();
      break;
    }
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool registerMainWindowClass(HINSTANCE instance) {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = mainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_LUMDRIFT));
  wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_LUMDRIFT), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
  wc.hbrBackground = whiteBrush();
  wc.lpszClassName = kMainWindowClass;
  return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

HWND createMainWindow(HINSTANCE instance, MainWindowContext& context) {
  const INITCOMMONCONTROLSEX common = {sizeof common, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&common);
  if (!registerMainWindowClass(instance)) return nullptr;
  constexpr DWORD kStyle =
      WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  const Text title(caption::kTitle);
  return CreateWindowExA(0, kMainWindowClass, title.c_str(), kStyle,
                         centredLeft(GetSystemMetrics(SM_CXSCREEN)),
                         centredTop(GetSystemMetrics(SM_CYSCREEN)), kWindowWidth, kWindowHeight,
                         nullptr, nullptr, instance, &context);
}

bool preTranslateMainWindowMessage(HWND mainWindow, MSG& message) {
  if (mainWindow == nullptr || !IsWindow(mainWindow)) return false;
  if (message.hwnd != mainWindow && !IsChild(mainWindow, message.hwnd)) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
    SendMessageA(mainWindow, WM_CLOSE, 0, 0);
    return true;
  }
  return IsDialogMessageA(mainWindow, &message) != FALSE;
}

}  // namespace lumdrift
