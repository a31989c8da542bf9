#pragma once
// The command that puts a shortcut to the running executable on the desktop.

#include "base/services.h"

namespace lumdrift {

inline constexpr std::string_view kShortcutName = "Lumdrift.lnk";
inline constexpr std::string_view kShortcutDescription = "Lumdrift";

// The click handler of the send-to-desktop button. Nothing is reported,
// whether the link was saved or not.
void sendToDesktop(Services& s);

}  // namespace lumdrift
