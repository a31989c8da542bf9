// Start-up and shutdown of Lumdrift.exe.

#include <windows.h>
// windows.h before the other system headers
#include <ole2.h>

#include "app/captions.h"
#include "app/program_path.h"
#include "app/win32/fatal_error.h"
#include "app/win32/main_window.h"
#include "app/win32/window_controls.h"
#include "desktop/win32_desktop.h"
#include "generator/win32_clipboard.h"
#include "generator/win32_file_writer.h"
#include "generator/win32_shell.h"
#include "templates/download_thread.h"

namespace {

bool loopStarted = false;

// The main window is the program's only window: once it has gone, the loop
// ends, unless it went before the loop began.
void mainWindowDestroyed() {
  if (loopStarted) PostQuitMessage(0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  using namespace lumdrift;
  const bool com = SUCCEEDED(OleInitialize(nullptr));
  if (com) noteComInitialisedOnThisThread();

  char modulePath[260] = {};
  GetModuleFileNameA(nullptr, modulePath, sizeof modulePath);
  const ProgramLocation location = splitModulePath(modulePath);
  // With the separator "D:" means the root of the drive, not the drive's
  // last current directory.
  SetCurrentDirectoryA((location.directory + "\\").c_str());

  WindowControls controls;
  Win32Clipboard clipboard;
  Win32FileWriter files;
  Win32Shell shell;
  DownloadThread download(controls);
  Win32Desktop desktop;
  Services services{controls, clipboard, files, shell, download, desktop, location};
  MainWindowContext context{services, controls, mainWindowDestroyed};

  HWND window = createMainWindow(instance, context);
  if (window == nullptr) fatalError(caption::kWindowLoadFailed);
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  loopStarted = true;
  if (IsWindow(window)) {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
      if (preTranslateMainWindowMessage(window, message)) continue;
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }

  if (com) OleUninitialize();
  // Ends the worker where it stands; returning would run destructors of the
  // controls it may still be writing.
  ExitProcess(0);
}
