#pragma once
// Failures the user does not see go to the debugger output, where DebugView
// or Wine (WINEDEBUG=+debugstr) shows them.

#include <windows.h>

#include <string_view>

#include "base/services.h"

namespace lumdrift::win32 {

// One line: "Lumdrift: " and the text.
void debugLine(std::string_view text);

// "Lumdrift: <what> failed, error <code>". Take the code before building a
// text for `what`: an allocation may change the last error.
void logFailure(std::string_view what, DWORD error);
inline void logLastError(std::string_view what) {
  logFailure(what, GetLastError());
}

// The debugger output as the logic's DebugLog.
class DebuggerLog final : public DebugLog {
 public:
  void line(std::string_view text) override { debugLine(text); }
};

}  // namespace lumdrift::win32
