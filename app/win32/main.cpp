// Start-up and shutdown of Lumdrift.exe.

#include "app/win32/fatal_error.h"
#include "app/win32/main_window.h"
#include "app/win32/process_context.h"
#include "app/win32/win32_clipboard.h"
#include "app/win32/win32_desktop.h"
#include "app/win32/win32_file_writer.h"
#include "app/win32/win32_program_folders.h"
#include "app/win32/win32_shell.h"
#include "app/win32/window_controls.h"
#include "base/captions.h"
#include "base/win32_debug_log.h"
#include "templates/template_store.h"
#include "templates/win32_download_thread.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  using namespace lumdrift;
  win32::ProcessContext process;

  WindowControls controls;
  win32::DebuggerLog log;
  SharedTemplateStore templates(log);
  Win32Clipboard clipboard;
  Win32FileWriter files;
  Win32Shell shell;
  Win32DownloadThread download(templates, process.internet());
  Win32Desktop desktop;
  Services services{controls, templates, clipboard, files,
                    shell,    download,  desktop,   process.location()};
  MainWindowContext context{services, controls};

  HWND window = createMainWindow(instance, context);
  if (window == nullptr) fatalError(caption::kWindowLoadFailed);
  ShowWindow(window, showCommand);
  UpdateWindow(window);
  // Asking the shell for the user's folders takes a while, and no handler
  // needs them before the loop runs: the window shows first.
  services.folders = win32::userFolders();

  // The main window is the program's only window: once it has gone, the loop
  // ends. Not before the loop runs, though: a quit message waiting would
  // close the fatal error box at once.
  context.quitWhenDestroyed = true;
  if (IsWindow(window)) {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      if (preTranslateMainWindowMessage(window, message)) continue;
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
  }

  process.end();
  // Ends the worker where it stands; returning would destroy the store it may
  // still be writing.
  ExitProcess(0);
}
