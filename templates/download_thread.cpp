#include "templates/download_thread.h"

#include "base/win32_debug_log.h"
#include "templates/download_worker.h"
#include "templates/wininet_reader.h"

namespace lumdrift {

void DownloadThread::start() {
  worker_ = win32::ThreadHandle(CreateThread(nullptr, 0, run, this, 0, nullptr));
  if (!worker_) win32::logLastError("CreateThread for the download");
}

DWORD WINAPI DownloadThread::run(void* self) {
  WinInetReader http;
  downloadTemplates(http, static_cast<DownloadThread*>(self)->store_);
  return 0;
}

}  // namespace lumdrift
