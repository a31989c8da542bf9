#pragma once
// Starts the template download on a worker thread of its own.

#include "base/services.h"
#include "base/win32_handles.h"
#include "templates/template_store.h"
#include "templates/win32_http_reader.h"

namespace lumdrift {

class Win32DownloadThread final : public DownloadStarter {
 public:
  // The store and the session must outlive the thread: the process ends
  // without waiting for it.
  Win32DownloadThread(SharedTemplateStore& store, InternetSession& session)
      : store_(store), session_(session) {}
  void start() override;

 private:
  static DWORD WINAPI run(void* self);

  SharedTemplateStore& store_;
  InternetSession& session_;
  win32::ThreadHandle worker_;  // never waited on
};

}  // namespace lumdrift
