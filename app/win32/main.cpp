// Start-up and shutdown of Lumdrift.exe.

#include "app/win32/fatal_error.h"
#include "app/win32/main_window.h"
#include "app/win32/program_folders.h"
#include "app/win32/window_controls.h"
#include "base/captions.h"
#include "base/program_path.h"
#include "base/win32_debug_log.h"
#include "base/win32_handles.h"
#include "base/win32_text.h"
#include "desktop/win32_desktop.h"
#include "generator/win32_clipboard.h"
#include "generator/win32_file_writer.h"
#include "generator/win32_shell.h"
#include "templates/download_thread.h"
#include "templates/template_store.h"

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
  const win32::OleSession ole;
  // Without OLE the tool still generates; only the shortcut and the preview
  // may fail, and they log why.
  if (FAILED(ole.result())) win32::logFailure("OleInitialize", static_cast<DWORD>(ole.result()));

  const ProgramLocation location = splitModulePath(win32::modulePath());
  // With the separator "D:" means the root of the drive, not the drive's
  // last current directory.
  if (!SetCurrentDirectoryW(win32::wide(location.directory + "\\").c_str())) {
    win32::logLastError("SetCurrentDirectory");
  }

  WindowControls controls;
  win32::DebuggerLog log;
  SharedTemplateStore templates(log);
  Win32Clipboard clipboard;
  Win32FileWriter files;
  Win32Shell shell;
  DownloadThread download(templates);
  Win32Desktop desktop;
  Services services{controls, templates, clipboard, files, shell, download, desktop, location};
  MainWindowContext context{services, controls, mainWindowDestroyed};

  HWND window = createMainWindow(instance, context);
  if (window == nullptr) fatalError(caption::kWindowLoadFailed);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  // Asking the shell for the user's folders takes a while, and no handler
  // needs them before the loop runs: the window shows first.
  services.folders = win32::userFolders();

  loopStarted = true;
  if (IsWindow(window)) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (preTranslateMainWindowMessage(window, message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  win32::OleSession::end();
  // Ends the worker where it stands; returning would destroy the store it may
  // still be writing.
  ExitProcess(0);
}
