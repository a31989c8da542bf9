#include "app/win32/process_context.h"

#include "app/win32/win32_program_folders.h"
#include "base/program_path.h"
#include "base/win32_debug_log.h"
#include "base/win32_text.h"

namespace lumdrift::win32 {

ProcessContext::ProcessContext() : location_(splitModulePath(modulePath())) {
  // Without OLE the tool still generates; only the shortcut and the preview
  // may fail, and they log why.
  succeeded(ole_.result(), "OleInitialize");
  // With the separator "D:" means the root of the drive, not the drive's
  // last current directory.
  if (!SetCurrentDirectoryW(wide(location_.directory + "\\").c_str())) {
    failed("SetCurrentDirectory");
  }
  current_ = this;
}

ProcessContext::~ProcessContext() {
  end();
  ProcessContext* self = this;
  current_.compare_exchange_strong(self, nullptr);
}

void ProcessContext::end() {
  if (ended_.exchange(true)) return;
  internet_.close();
  ole_.end();
}

void ProcessContext::endForFatalError() {
  if (ProcessContext* context = current_.load()) context->ole_.end();
}

}  // namespace lumdrift::win32
