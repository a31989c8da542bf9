#include "templates/win32_download_thread.h"

#include "base/win32_debug_log.h"
#include "templates/download_worker.h"
#include "templates/template_table.h"

namespace lumdrift {

void Win32DownloadThread::start() {
  worker_ = win32::ThreadHandle(CreateThread(nullptr, 0, run, this, 0, nullptr));
  if (worker_) return;
  win32::failed("CreateThread for the download");
  // Nothing will come from the server in this run.
  for (const Template& t : kTemplates) store_.abandoned(t.id);
}

DWORD WINAPI Win32DownloadThread::run(void* self) {
  auto& thread = *static_cast<Win32DownloadThread*>(self);
  Win32HttpReader http(thread.session_);
  downloadTemplates(http, thread.store_);
  return 0;
}

}  // namespace lumdrift
