#include "desktop/send_to_desktop.h"

#include "base/captions.h"
#include "base/program_path.h"
#include "base/result_message.h"

namespace lumdrift {

void sendToDesktop(Services& s) {
  const Text folder = s.desktop.folder();
  const Text target = s.location.directory + "\\" + s.location.executableName;
  // Without a desktop folder the bare link name would land in the current
  // directory, which is not what the user asked for.
  if (folder.empty() ||
      !s.desktop.createShortcut(folder + Text(kShortcutName), target, Text(kShortcutDescription))) {
    showResult(s.ui, caption::kShortcutFailed);
    return;
  }
  // Run from inside a zip, the program lies in a temporary folder that is
  // cleaned later, taking the shortcut's target with it.
  if (!s.folders.temp.empty() && liesUnder(s.location.directory, s.folders.temp)) {
    showResult(s.ui, caption::kShortcutFromTemp);
  }
}

}  // namespace lumdrift
