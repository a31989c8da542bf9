#pragma once
// The command that puts a shortcut to the running executable on the desktop.

#include "base/services.h"

namespace lumdrift {

inline constexpr std::string_view kShortcutName = "Lumdrift.lnk";
inline constexpr std::string_view kShortcutDescription = "Lumdrift";

// The click handler of the send-to-desktop button. A link that could not be
// saved is reported, and so is a link to a program that runs from a
// temporary folder.
void sendToDesktop(Controls& ui, Desktop& desktop, const ProgramLocation& location,
                   const Text& tempFolder);

}  // namespace lumdrift
