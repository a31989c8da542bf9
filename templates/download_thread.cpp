#include "templates/download_thread.h"

#include "base/win32_debug_log.h"
#include "templates/download_worker.h"
#include "templates/wininet_reader.h"

namespace lumdrift {

void DownloadThread::start() {
  worker_ = win32::ThreadHandle(CreateThread(nullptr, 0, run, this, 0, nullptr));
  if (worker_) return;
  win32::logLastError("CreateThread for the download");
  // Nothing will come from the server in this run.
  for (int i = 0; i < kTemplateCount; ++i) store_.abandoned(static_cast<TemplateId>(i));
}

DWORD WINAPI DownloadThread::run(void* self) {
  WinInetReader http;
  downloadTemplates(http, static_cast<DownloadThread*>(self)->store_);
  return 0;
}

}  // namespace lumdrift
