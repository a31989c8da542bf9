#pragma once
// The Controls of the main window over its real child windows. The template
// slots are the exception: their texts live in a locked store, because the
// download worker writes them from its own thread and an edit box would cost
// seconds per megabyte for texts nobody sees.

#include <windows.h>

#include <array>
#include <mutex>
#include <optional>

#include "app/controls.h"

namespace lumdrift {

class TemplateSlots {
 public:
  static bool holds(ControlId id);
  Text read(ControlId id) const;
  void write(ControlId id, const Text& text);

 private:
  static int index(ControlId id);

  mutable std::mutex guard_;
  std::array<Text, 4> texts_;
};

// Everything but the template slots belongs to the GUI thread.
class WindowControls final : public Controls {
 public:
  WindowControls() = default;
  WindowControls(const WindowControls&) = delete;
  WindowControls& operator=(const WindowControls&) = delete;
  ~WindowControls() override;

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
  std::array<HFONT, kControlCount> ownFonts_{};
  TemplateSlots slots_;
};

}  // namespace lumdrift
