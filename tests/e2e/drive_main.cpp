// lumdrift-drive: drives sample generations through a running Lumdrift
// window, for someone on a machine without a screen. It pastes a sample code
// into the code input and, for each edition in turn, presses the generate
// button until the templates are there, and prints the result message and the
// size of the output; then the preview page's path (of the last edition).
// With --close it only closes the window, as Esc does.
//
//   lumdrift-drive.exe [--timeout SECONDS] [--close]

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/captions.h"
#include "tests/e2e/window_driver.h"

namespace {

using namespace lumdrift;
using namespace lumdrift::e2e;

// The driver reads the window's texts as UTF-8, and they go out as they
// are: a UTF-8 terminal shows them, whatever the system code page.
void say(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

std::string programDirOf(HWND window) {
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
  if (!process) return {};
  char path[MAX_PATH] = {};
  DWORD size = MAX_PATH;
  const bool ok = QueryFullProcessImageNameA(process, 0, path, &size);
  CloseHandle(process);
  if (!ok) return {};
  std::string dir(path, size);
  return dir.substr(0, dir.rfind('\\'));
}

// A banner with a hot spot placed by inline position, which the tool repairs.
const char kSample[] =
    "<div style=\"position:relative;height:500px;background:#f5e6c8 "
    "url(https://img.example/banner-1920.jpg) center top no-repeat\">\r\n"
    "  <a href=\"https://shop.example/\" style=\"position:absolute;left:810px;top:380px;"
    "width:300px;height:80px\">全屏海报</a>\r\n"
    "</div>";

}  // namespace

int main(int argc, char** argv) {
  int timeoutSeconds = 60;
  bool close = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--timeout") == 0 && i + 1 < argc) {
      timeoutSeconds = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--close") == 0) {
      close = true;
    } else {
      std::fprintf(stderr, "usage: lumdrift-drive.exe [--timeout SECONDS] [--close]\n");
      return 2;
    }
  }
  const DWORD timeoutMs = static_cast<DWORD>(timeoutSeconds) * 1000;
  HWND window = findLumdriftWindow(timeoutMs);
  if (!window) {
    say("no Lumdrift window appeared");
    return 1;
  }
  if (close) {
    HWND focus = focusOf(window);
    pressEscape(focus ? focus : window);
    return 0;
  }
  HWND input = findControl(window, ControlId::CodeInput);
  HWND generate = findControl(window, ControlId::GenerateButton);
  HWND label = findControl(window, ControlId::ResultLabel);
  if (!input || !generate || !label) {
    say("the Lumdrift window lacks its code input, generate button or result label");
    return 1;
  }
  setText(input, kSample);
  HWND editions = findControl(window, ControlId::EditionList);
  HWND output = findControl(window, ControlId::CodeOutput);
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  bool all = true;
  for (int edition = 0; edition < 3; ++edition) {
    select(editions, edition);
    // Until the templates are there the tool asks to try again in a moment.
    std::string message;
    do {
      click(generate);
      message = text(label);
      if (message != caption::kWaiting) break;
      Sleep(1000);
    } while (GetTickCount64() < end);
    all = all && message != caption::kWaiting;
    say(items(editions)[edition] + ": " + message + " (" + std::to_string(text(output).size()) +
        " bytes in the output box)");
  }
  say("preview: " + programDirOf(window) + "\\yl.htm");
  return all ? 0 : 1;
}
