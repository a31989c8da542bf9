#pragma once
// What the process owns for its whole run: OLE on the GUI thread, the
// internet session of the download, and where the program lies. WinMain
// makes the one context; it is ended once, at the normal exit or by the fatal
// error report, whichever comes first.

#include <atomic>

#include "base/services.h"
#include "base/win32_handles.h"
#include "templates/win32_http_reader.h"

namespace lumdrift::win32 {

class ProcessContext {
 public:
  // Brings OLE up and makes the program's folder the current directory.
  ProcessContext();
  ~ProcessContext();
  ProcessContext(const ProcessContext&) = delete;
  ProcessContext& operator=(const ProcessContext&) = delete;

  const ProgramLocation& location() const { return location_; }
  InternetSession& internet() { return internet_; }

  // Closes the internet session and takes OLE down, if this thread brought
  // it up; the second call does nothing.
  void end();
  // The fatal error report ends the process without unwinding: it takes OLE
  // of the living context down, if there is one. The internet session is
  // left to the end of the process, since the report may come from inside a
  // request, which holds the session.
  static void endForFatalError();

 private:
  OleSession ole_;
  InternetSession internet_;
  ProgramLocation location_;
  std::atomic<bool> ended_{false};
  // The process's one global: the fatal report comes from anywhere, even
  // from inside an allocation, with no caller that could hand it the context.
  static inline std::atomic<ProcessContext*> current_{nullptr};
};

}  // namespace lumdrift::win32
