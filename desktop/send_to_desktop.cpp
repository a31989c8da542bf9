#include "desktop/send_to_desktop.h"

#include "base/captions.h"
#include "base/program_path.h"
#include "base/result_message.h"

namespace lumdrift {

void sendToDesktop(Controls& ui, Desktop& desktop, const ProgramLocation& location,
                   const Text& tempFolder) {
  const Text folder = desktop.folder();
  const Text target = location.directory + "\\" + location.executableName;
  // Without a desktop folder the bare link name would land in the current
  // directory, which is not what the user asked for.
  if (folder.empty() ||
      !desktop.createShortcut(folder + Text(kShortcutName), target, Text(kShortcutDescription))) {
    showResult(ui, caption::kShortcutFailed);
    return;
  }
  // Run from inside a zip, the program lies in a temporary folder that is
  // cleaned later, taking the shortcut's target with it.
  if (!tempFolder.empty() && liesUnder(location.directory, tempFolder)) {
    showResult(ui, caption::kShortcutFromTemp);
  }
}

}  // namespace lumdrift
