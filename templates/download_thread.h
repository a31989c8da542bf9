#pragma once
// Starts the template download on a worker thread of its own.

#include <windows.h>

#include "app/services.h"

namespace lumdrift {

class DownloadThread final : public DownloadStarter {
 public:
  // `slots` is written from the worker thread: its template slots must be
  // safe to write and read there while the GUI thread reads them.
  explicit DownloadThread(Controls& slots) : slots_(slots) {}
  void start() override;

 private:
  static DWORD WINAPI run(void* self);

  Controls& slots_;
  HANDLE worker_ = nullptr;  // kept, never waited on: the process does not wait for it
};

}  // namespace lumdrift
