#pragma once
// Failures the user does not see go to the debugger output, where DebugView
// or Wine (WINEDEBUG=+debugstr) shows them.

#include <windows.h>

#include <source_location>
#include <string_view>

#include "base/services.h"

namespace lumdrift::win32 {

// One line: "Lumdrift: " and the text.
void debugLine(std::string_view text);

// A failing call: "Lumdrift: <call> failed, error <code> at <file>:<line>".
// Each answers false, so that a failure reads `return win32::failed("X");`.
using Where = std::source_location;
// With the thread's last error. Build no text for `call` in the argument
// list: an allocation may change the last error before it is read; take the
// code first and use failedWith.
bool failed(std::string_view call, Where where = Where::current());
bool failedWith(std::string_view call, DWORD error, Where where = Where::current());
// True for a successful COM result; a failed one is logged as above.
bool succeeded(HRESULT result, std::string_view call, Where where = Where::current());

// The debugger output as the logic's DebugLog.
class DebuggerLog final : public DebugLog {
 public:
  void line(std::string_view text) override { debugLine(text); }
};

}  // namespace lumdrift::win32
