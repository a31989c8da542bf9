#pragma once
// Starts the template download on a worker thread of its own.

#include "base/services.h"
#include "base/win32_handles.h"
#include "templates/template_store.h"

namespace lumdrift {

class DownloadThread final : public DownloadStarter {
 public:
  // The store must outlive the thread: the process ends without waiting for it.
  explicit DownloadThread(SharedTemplateStore& store) : store_(store) {}
  void start() override;

 private:
  static DWORD WINAPI run(void* self);

  SharedTemplateStore& store_;
  win32::ThreadHandle worker_;  // never waited on
};

}  // namespace lumdrift
