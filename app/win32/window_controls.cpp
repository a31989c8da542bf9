#include "app/win32/window_controls.h"

#include "base/control_table.h"
#include "base/win32_debug_log.h"
#include "base/win32_text.h"

namespace lumdrift {

using enum ControlId;

void WindowControls::attach(ControlId id, HWND window) {
  windows_[static_cast<int>(id)] = window;
}

std::optional<ControlId> WindowControls::idOf(HWND window) const {
  if (window == nullptr) return std::nullopt;
  for (int i = 0; i < kControlCount; ++i) {
    if (windows_[i] == window) return static_cast<ControlId>(i);
  }
  return std::nullopt;
}

void WindowControls::setOwnFont(ControlId id, HFONT font) {
  SendMessageW(window(id), WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  // The control has let go of the old font by now.
  ownFonts_[static_cast<int>(id)] = win32::FontHandle(font);
}

Text WindowControls::text(ControlId id) const {
  HWND w = window(id);
  if (w == nullptr) return {};
  // The copy reports what it really wrote, which may be less than the length
  // announced.
  const auto length = static_cast<std::size_t>(SendMessageW(w, WM_GETTEXTLENGTH, 0, 0));
  std::wstring out(length + 1, L'\0');
  const auto copied = static_cast<std::size_t>(
      SendMessageW(w, WM_GETTEXT, out.size(), reinterpret_cast<LPARAM>(out.data())));
  out.resize(copied < length ? copied : length);
  return win32::narrow(out);
}

void WindowControls::setText(ControlId id, const Text& text) {
  HWND w = window(id);
  if (w == nullptr) return;
  const std::wstring wideText = win32::wide(text);
  SendMessageW(w, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wideText.c_str()));
  if (controlRow(id).kind == ControlKind::TransparentLabel && IsWindowVisible(w)) {
    // A transparent label draws no background: the old text goes only when
    // the container repaints beneath it.
    HWND parent = GetParent(w);
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
    RedrawWindow(parent, &r, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

void WindowControls::setVisible(ControlId id, bool visible) {
  if (HWND w = window(id)) ShowWindow(w, visible ? SW_SHOW : SW_HIDE);
}

void WindowControls::setEnabled(ControlId id, bool enabled) {
  HWND w = window(id);
  if (w == nullptr) return;
  // Disabling the focused control leaves the focus nowhere, and the keyboard
  // with it; it goes back when the control is enabled again.
  if (!enabled && GetFocus() == w) focusBeforeDisabled_ = w;
  EnableWindow(w, enabled);
  if (enabled && focusBeforeDisabled_ == w) {
    focusBeforeDisabled_ = nullptr;
    if (GetFocus() == nullptr && GetForegroundWindow() == GetAncestor(w, GA_ROOT)) SetFocus(w);
  }
}

void WindowControls::clearUndoably(ControlId id) {
  HWND w = window(id);
  if (w == nullptr) return;
  SendMessageW(w, EM_SETSEL, 0, -1);
  SendMessageW(w, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
}

int WindowControls::selection(ControlId id) const {
  HWND w = window(id);
  if (w == nullptr) return -1;
  return static_cast<int>(SendMessageW(w, CB_GETCURSEL, 0, 0));
}

void WindowControls::setBold(ControlId id, bool bold) {
  HWND w = window(id);
  if (w == nullptr) return;
  auto current = reinterpret_cast<HFONT>(SendMessageW(w, WM_GETFONT, 0, 0));
  if (current == nullptr) current = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  LOGFONTW font;
  if (GetObjectW(current, sizeof font, &font) != sizeof font) {
    win32::failed("GetObject of the button's font");
    return;
  }
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  if (HFONT changed = CreateFontIndirectW(&font)) {
    setOwnFont(id, changed);
  } else {
    win32::failed("CreateFontIndirect for the button");
  }
}

}  // namespace lumdrift
