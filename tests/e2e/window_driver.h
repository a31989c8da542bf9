#pragma once
// Drives the real Lumdrift.exe through its window the way a user's
// UI-automation tool does: it finds the controls by class and place, sends
// them what a user's actions send and reads back what any other process can
// read (window texts, visibility, the clipboard, files, the exit code). Texts
// are UTF-8 here and Unicode at the window and the clipboard.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/controls.h"

namespace lumdrift::e2e {

std::wstring utf16(std::string_view text);
std::string utf8(std::wstring_view text);
// GBK bytes of a text, and text of GBK bytes, by the system's code page 936:
// what the template site serves and the preview page holds.
std::string gbk(std::string_view text);
std::string fromGbk(std::string_view bytes);

// A Unix path as Wine sees it (Z: maps to /); Windows paths pass unchanged.
std::string windowsPath(const std::string& path);
// The executable under test: LUMDRIFT_EXE from the environment, else the one
// the tests were built beside.
std::string lumdriftExe();

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Controls of a main window that is already there, as another process sees
// them. The control is found by its kind, container and place in the
// window's table; null when no child of the right kind lies near its place.
HWND findControl(HWND window, ControlId id);
// A descendant of the window whose text is the caption.
HWND findByCaption(HWND window, std::string_view caption);
// The control that has the keyboard focus in the window's GUI thread.
HWND focusOf(HWND window);
// The process's visible top-level window with that title, or null.
HWND shownWindow(DWORD processId, std::string_view title);
// A visible top-level window titled "Lumdrift", of any process.
HWND findLumdriftWindow(DWORD timeoutMs);

// One run of the tool, from a program directory of its own.
class App {
 public:
  // Where the program directory is made: in the temporary folder, as when a
  // user starts the tool inside a zip, or in a folder of its own on drive C.
  enum class Folder { InTemp, OnDrive };
  // Copies the executable under the given file name into a new directory and
  // starts it there, from the folder above. The folder's name ends in
  // folderSuffix. beforeStart runs on the directory, the executable already
  // in it, before the start.
  explicit App(const std::string& exeName = "Lumdrift.exe", const std::string& folderSuffix = "",
               Folder where = Folder::InTemp,
               const std::function<void(const std::string& dir)>& beforeStart = {});
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  // The process started and showed its top-level window titled "Lumdrift".
  bool started() const { return window_ != nullptr; }
  const std::string& programDir() const { return dir_; }
  const std::string& exePath() const { return exe_; }
  std::string previewPath() const { return dir_ + "\\yl.htm"; }
  HWND window() const { return window_; }
  DWORD processId() const { return process_.dwProcessId; }
  DWORD threadId() const { return process_.dwThreadId; }

  HWND control(ControlId id) const { return findControl(window_, id); }
  HWND byCaption(std::string_view caption) const { return findByCaption(window_, caption); }
  HWND focus() const { return focusOf(window_); }
  bool running() const;
  // Waits for the process to end and gives its exit code.
  std::optional<DWORD> waitForExit(DWORD timeoutMs) const;

 private:
  std::string dir_, exe_;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
};

// What a user's actions send.
void select(HWND combo, int index);                   // picks an item as a user would
void type(HWND edit, std::string_view keys);          // WM_CHAR per character, at the end
void clearByKeys(HWND edit);                          // select all, then Backspace
void setText(HWND control, const std::string& text);  // a paste of the whole text
void paste(HWND edit);                                // WM_PASTE from the clipboard
void click(HWND control, DWORD timeoutMs = 30000);
void clickFocus(HWND control);  // a posted click that moves the focus
void doubleClick(HWND edit);
void pressEscape(HWND target);
// A real key press, as the keyboard gives it to the foreground window, with
// Shift or Ctrl held when asked.
enum class Held { None, Shift, Ctrl };
void pressKey(WORD virtualKey, Held held = Held::None);

// What any other process can read.
std::string text(HWND control, DWORD timeoutMs = 30000);
int selection(HWND combo);
std::vector<std::string> items(HWND combo);
bool visible(HWND control);
bool enabled(HWND control);
std::string className(HWND control);
// The window rectangle in the client coordinates of its parent.
RECT rectInParent(HWND control);

// The clipboard's Unicode text up to its terminating zero; nullopt when it
// could not be opened or holds no text.
std::optional<std::string> clipboardText();
bool setClipboardText(const std::string& text);

std::optional<std::string> fileBytes(const std::string& path);
std::vector<std::string> filesIn(const std::string& dir);

// A picture of a part of the screen, as the user sees it.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, rows top to bottom
  std::uint32_t at(int x, int y) const { return pixels[y * width + x]; }
  bool saveBmp(const std::string& path) const;
};
Picture captureScreen(const RECT& screenRect);

}  // namespace lumdrift::e2e
