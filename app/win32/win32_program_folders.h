#pragma once
// Where the program runs from and the user's own folders, asked of the
// system once at start-up.

#include "base/services.h"

namespace lumdrift::win32 {

// The full path of the running executable, however long.
Text modulePath();

// The user's own folder for the tool's files (under the local application
// data) and the temporary folder in its long form.
UserFolders userFolders();

}  // namespace lumdrift::win32
