#pragma once
// The Controls of the main window over its real child windows, all of them
// on the GUI thread.

#include <array>
#include <optional>

#include "base/controls.h"
#include "base/win32_handles.h"

namespace lumdrift {

class WindowControls final : public Controls {
 public:
  WindowControls() = default;
  WindowControls(const WindowControls&) = delete;
  WindowControls& operator=(const WindowControls&) = delete;

  void attach(ControlId id, HWND window);
  HWND window(ControlId id) const { return windows_[static_cast<int>(id)]; }
  std::optional<ControlId> idOf(HWND window) const;
  // Gives the control a font that this object then owns and deletes.
  void setOwnFont(ControlId id, HFONT font);
  // The GUI font that the controls without a font of their own share, when
  // it is not the system's stock one.
  void setSharedFont(win32::FontHandle font) { sharedFont_ = std::move(font); }

  Text text(ControlId id) const override;
  void setText(ControlId id, const Text& text) override;
  void setVisible(ControlId id, bool visible) override;
  void setEnabled(ControlId id, bool enabled) override;
  int selection(ControlId id) const override;
  void setBold(ControlId id, bool bold) override;
  void clearUndoably(ControlId id) override;

 private:
  std::array<HWND, kControlCount> windows_{};
  std::array<win32::FontHandle, kControlCount> ownFonts_;
  win32::FontHandle sharedFont_;
  HWND focusBeforeDisabled_ = nullptr;
};

}  // namespace lumdrift
