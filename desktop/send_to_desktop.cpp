#include "desktop/send_to_desktop.h"

namespace lumdrift {

void sendToDesktop(Services& s) {
  const Text folder = s.desktop.folder();
  // Without a desktop folder the bare link name would land in the current
  // directory, which is not what the user asked for.
  if (folder.empty()) return;
  const Text target = s.location.directory + "\\" + s.location.executableName;
  s.desktop.createShortcut(folder + Text(kShortcutName), target, Text(kShortcutDescription));
}

}  // namespace lumdrift
