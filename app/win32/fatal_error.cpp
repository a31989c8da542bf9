#include "app/win32/fatal_error.h"

#include <atomic>
#include <charconv>

#include "app/win32/process_context.h"
#include "base/captions.h"

namespace lumdrift {
namespace {

// The thread showing the report: one report per process, which may be claimed
// before any context exists (an allocation failing during start-up).
std::atomic<DWORD> reportingThread{0};

std::size_t append(char* out, std::size_t at, std::size_t capacity, std::string_view part) {
  const std::size_t n = part.size() < capacity - at ? part.size() : capacity - at;
  part.copy(out + at, n);
  return at + n;
}

}  // namespace

std::size_t fatalErrorText(std::string_view message, char* out, std::size_t capacity) {
  if (capacity == 0) return 0;
  const std::size_t room = capacity - 1;
  std::size_t at = append(out, 0, room, caption::kFatalPrefix);
  at = append(out, at, room, message);
  at = append(out, at, room, "\r\n");
  out[at] = '\0';
  return at;
}

void fatalError(std::string_view message) {
  const DWORD self = GetCurrentThreadId();
  DWORD idle = 0;
  if (!reportingThread.compare_exchange_strong(idle, self)) {
    // One box at a time: a second failure on the reporting thread ends the
    // process at once, one on another thread waits for that end.
    if (idle == self) ExitProcess(static_cast<UINT>(-1));
    for (;;) Sleep(INFINITE);
  }
  // Stack buffers only: the report may be about memory running out.
  char text[1024];
  const std::size_t length = fatalErrorText(message, text, sizeof text);
  wchar_t wideText[1024] = {};
  MultiByteToWideChar(CP_UTF8, 0, text, static_cast<int>(length), wideText, 1023);
  wchar_t wideCaption[16] = {};
  MultiByteToWideChar(CP_UTF8, 0, caption::kFatalCaption.data(),
                      static_cast<int>(caption::kFatalCaption.size()), wideCaption, 15);
  // Task-modal: no owner, but the tool's windows take no input while the box
  // is up.
  MessageBoxW(nullptr, wideText, wideCaption, MB_OK | MB_ICONERROR | MB_TASKMODAL);
  win32::ProcessContext::endForFatalError();
  ExitProcess(static_cast<UINT>(-1));
}

void allocationFailed(std::size_t bytes) {
  constexpr std::string_view format = caption::kAllocFailedFormat;
  const std::size_t hole = format.find("%d");
  char number[24];
  const char* end = std::to_chars(number, number + sizeof number, bytes).ptr;
  char message[128];
  std::size_t at = append(message, 0, sizeof message - 1, format.substr(0, hole));
  at = append(message, at, sizeof message - 1, std::string_view(number, end - number));
  at = append(message, at, sizeof message - 1, format.substr(hole + 2));
  fatalError(std::string_view(message, at));
}

}  // namespace lumdrift
