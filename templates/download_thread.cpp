#include "templates/download_thread.h"

#include "templates/download_worker.h"
#include "templates/wininet_reader.h"

namespace lumdrift {

void DownloadThread::start() {
  worker_ = CreateThread(nullptr, 0, run, this, 0, nullptr);
}

DWORD WINAPI DownloadThread::run(void* self) {
  WinInetReader http;
  downloadTemplates(http, static_cast<DownloadThread*>(self)->slots_);
  return 0;
}

}  // namespace lumdrift
