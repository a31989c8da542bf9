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

  Text text(ControlId id) const override;
  void setText(ControlId id, const Text& text) override;
  void setVisible(ControlId id, bool visible) override;
  void setEnabled(ControlId id, bool enabled) override;
  int selection(ControlId id) const override;
  void setBold(ControlId id, bool bold) override;

 private:
  std::array<HWND, kControlCount> windows_{};
  std::array<win32::FontHandle, kControlCount> ownFonts_;
};

}  // namespace lumdrift
