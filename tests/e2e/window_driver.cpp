#include "tests/e2e/window_driver.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "base/control_table.h"
#include "base/window_layout.h"

#ifndef LUMDRIFT_EXE_PATH
#define LUMDRIFT_EXE_PATH ""
#endif

namespace lumdrift::e2e {

std::wstring utf16(std::string_view text) {
  const int n =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(std::max(n, 0)), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string utf8(std::wstring_view text) {
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::string gbk(std::string_view text) {
  const std::wstring wide = utf16(text);
  const int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                    nullptr, nullptr);
  std::string out(static_cast<std::size_t>(std::max(n, 0)), '\0');
  WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}

std::string fromGbk(std::string_view bytes) {
  const int n =
      MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(n, 0)), L'\0');
  MultiByteToWideChar(936, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
  return utf8(wide);
}

namespace {

bool sameClass(HWND h, const char* name) {
  return lstrcmpiA(className(h).c_str(), name) == 0;
}

bool isGroupBox(HWND h) {
  return sameClass(h, "Button") && (GetWindowLongA(h, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// Whether a child window can be the control of that kind. Labels may be of a
// class of the tool's own, so they are whatever is not an edit, a list or a
// button.
bool ofKind(HWND h, ControlKind kind) {
  const LONG style = GetWindowLongA(h, GWL_STYLE);
  switch (kind) {
    case ControlKind::GroupBox: return isGroupBox(h);
    case ControlKind::PushButton: return sameClass(h, "Button") && !isGroupBox(h);
    case ControlKind::SingleLineEdit: return sameClass(h, "Edit") && !(style & ES_MULTILINE);
    case ControlKind::MultiLineEdit: return sameClass(h, "Edit") && (style & ES_MULTILINE);
    case ControlKind::DropDownList: return sameClass(h, "ComboBox");
    case ControlKind::Label:
    case ControlKind::TransparentLabel:
      return !sameClass(h, "Edit") && !sameClass(h, "ComboBox") && !sameClass(h, "Button");
    default: return false;
  }
}

std::vector<HWND> children(HWND parent) {
  std::vector<HWND> out;
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) out.push_back(h);
  return out;
}

struct Search {
  DWORD pid;  // 0: any process
  std::string_view title;
  HWND found;
};

BOOL CALLBACK findShownWindow(HWND h, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(h, &pid);
  wchar_t title[64] = {};
  GetWindowTextW(h, title, 64);
  if ((search->pid == 0 || pid == search->pid) && search->title == utf8(title) &&
      IsWindowVisible(h)) {
    search->found = h;
    return FALSE;
  }
  return TRUE;
}

LRESULT send(HWND h, UINT message, WPARAM w, LPARAM l, DWORD timeoutMs = 30000) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(h, message, w, l, SMTO_NORMAL, timeoutMs, &result);
  return static_cast<LRESULT>(result);
}

void removeTree(const std::string& dir) {
  for (const std::string& name : filesIn(dir)) {
    const std::wstring path = utf16(dir + "\\" + name);
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteFileW(path.c_str());
  }
  RemoveDirectoryW(utf16(dir).c_str());
}

}  // namespace

std::string windowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

std::string lumdriftExe() {
  if (const char* env = std::getenv("LUMDRIFT_EXE"); env && *env) return windowsPath(env);
  return windowsPath(LUMDRIFT_EXE_PATH);
}

bool waitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  for (;;) {
    if (condition()) return true;
    if (GetTickCount64() > end) return false;
    Sleep(20);
  }
}

App::App(const std::string& exeName, const std::string& folderSuffix) {
  static int runs = 0;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::string root = utf8(temp);
  if (!root.empty() && root.back() == '\\') root.pop_back();
  dir_ = root + "\\lumdrift-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
         std::to_string(++runs) + "-" + std::to_string(GetTickCount64() % 100000) + folderSuffix;
  exe_ = dir_ + "\\" + exeName;
  if (!CreateDirectoryW(utf16(dir_).c_str(), nullptr)) return;
  if (!CopyFileW(utf16(lumdriftExe()).c_str(), utf16(exe_).c_str(), FALSE)) return;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + utf16(exe_) + L"\"";
  // Started from the temporary folder, not the program directory: the tool
  // must move there itself.
  if (!CreateProcessW(utf16(exe_).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      utf16(root).c_str(), &startup, &process_))
    return;
  waitUntil(
      [&] {
        window_ = shownWindow(process_.dwProcessId, "Lumdrift");
        return window_ != nullptr || !running();
      },
      20000);
}

App::~App() {
  if (process_.hProcess) {
    if (running()) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 10000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  // The image may stay locked for a moment after the process ended.
  waitUntil(
      [&] {
        removeTree(dir_);
        return GetFileAttributesW(utf16(dir_).c_str()) == INVALID_FILE_ATTRIBUTES;
      },
      3000);
}

bool App::running() const {
  return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> App::waitForExit(DWORD timeoutMs) const {
  if (!process_.hProcess || WaitForSingleObject(process_.hProcess, timeoutMs) != WAIT_OBJECT_0)
    return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

HWND shownWindow(DWORD processId, std::string_view title) {
  Search search{processId, title, nullptr};
  EnumWindows(findShownWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND findLumdriftWindow(DWORD timeoutMs) {
  HWND found = nullptr;
  waitUntil(
      [&] {
        found = shownWindow(0, "Lumdrift");
        return found != nullptr;
      },
      timeoutMs);
  return found;
}

HWND findControl(HWND window, ControlId id) {
  if (!window) return nullptr;
  if (id == ControlId::MainWindow) return window;
  const ControlRow& row = controlRow(id);
  if (row.kind == ControlKind::TextButton) return findByCaption(window, row.text);
  const std::optional<Rect> place = controlRect(id);
  if (!place) return nullptr;
  HWND container =
      row.container == ControlId::MainWindow ? window : findControl(window, row.container);
  if (!container) return nullptr;
  // The nearest child of the right kind: a control a few pixels off is still
  // found, so that the geometry test can say by how much it is off.
  HWND best = nullptr;
  int bestDistance = 60;
  for (HWND child : children(container)) {
    if (!ofKind(child, row.kind)) continue;
    const RECT r = rectInParent(child);
    const int distance = std::abs(r.left - place->left) + std::abs(r.top - place->top) +
                         std::abs((r.right - r.left) - place->width) +
                         std::abs((r.bottom - r.top) - place->height);
    if (distance < bestDistance) {
      bestDistance = distance;
      best = child;
    }
  }
  return best;
}

struct CaptionSearch {
  std::string_view caption;
  HWND found;
};

BOOL CALLBACK matchCaption(HWND h, LPARAM param) {
  auto* search = reinterpret_cast<CaptionSearch*>(param);
  if (text(h, 2000) != search->caption) return TRUE;
  search->found = h;
  return FALSE;
}

HWND findByCaption(HWND window, std::string_view caption) {
  CaptionSearch search{caption, nullptr};
  EnumChildWindows(window, matchCaption, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND focusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

void select(HWND combo, int index) {
  send(combo, CB_SETCURSEL, index, 0);
  // Setting the selection notifies nobody; automation tells the parent, as
  // the list itself does when the user picks an item.
  send(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
       reinterpret_cast<LPARAM>(combo));
}

void type(HWND edit, std::string_view keys) {
  // The user clicks behind the text first; the caret stays where typing
  // leaves it.
  send(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
  for (const wchar_t key : utf16(keys)) send(edit, WM_CHAR, key, 1);
}

void clearByKeys(HWND edit) {
  send(edit, EM_SETSEL, 0, -1);
  send(edit, WM_CHAR, VK_BACK, 1);
}

void setText(HWND control, const std::string& text) {
  const std::wstring wide = utf16(text);
  send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), 120000);
}

void paste(HWND edit) {
  send(edit, WM_PASTE, 0, 0, 120000);
}

void click(HWND control, DWORD timeoutMs) {
  if (lstrcmpiA(className(control).c_str(), "Button") == 0) {
    send(control, BM_CLICK, 0, 0, timeoutMs);
    return;
  }
  // A label that acts as a button answers the mouse itself.
  const LPARAM inside = MAKELPARAM(3, 3);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  PostMessageW(control, WM_LBUTTONUP, 0, inside);
}

void clickFocus(HWND control) {
  const LPARAM inside = MAKELPARAM(5, 5);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  PostMessageW(control, WM_LBUTTONUP, 0, inside);
}

void doubleClick(HWND edit) {
  const LPARAM inside = MAKELPARAM(5, 5);
  PostMessageW(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
  PostMessageW(edit, WM_LBUTTONUP, 0, inside);
}

void pressEscape(HWND target) {
  PostMessageW(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageW(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void pressKey(WORD virtualKey, Held held) {
  const WORD modifier = held == Held::Shift ? VK_SHIFT : held == Held::Ctrl ? VK_CONTROL : 0;
  std::vector<INPUT> inputs;
  const auto add = [&](WORD key, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = key;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(in);
  };
  if (modifier) add(modifier, false);
  add(virtualKey, false);
  add(virtualKey, true);
  if (modifier) add(modifier, true);
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  Sleep(150);  // the keys travel through the display server
}

std::string text(HWND control, DWORD timeoutMs) {
  const LRESULT length = send(control, WM_GETTEXTLENGTH, 0, 0, timeoutMs);
  std::wstring buffer(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied =
      send(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), timeoutMs);
  buffer.resize(wcslen(buffer.c_str()));
  if (static_cast<std::size_t>(copied) < buffer.size()) buffer.resize(copied);
  return utf8(buffer);
}

int selection(HWND combo) {
  return static_cast<int>(send(combo, CB_GETCURSEL, 0, 0));
}

std::vector<std::string> items(HWND combo) {
  std::vector<std::string> out;
  const int count = static_cast<int>(send(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = send(combo, CB_GETLBTEXTLEN, i, 0);
    std::wstring wide(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide.data()), SMTO_NORMAL,
                        30000, &copied);
    wide.resize(wcslen(wide.c_str()));
    out.push_back(utf8(wide));
  }
  return out;
}

bool visible(HWND control) {
  return IsWindowVisible(control) != FALSE;
}

bool enabled(HWND control) {
  return IsWindowEnabled(control) != FALSE;
}

std::string className(HWND control) {
  char name[128] = {};
  GetClassNameA(control, name, sizeof name);
  return name;
}

RECT rectInParent(HWND control) {
  RECT r{};
  GetWindowRect(control, &r);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

std::optional<std::string> clipboardText() {
  // Right after another process wrote it the clipboard may refuse one open.
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (!OpenClipboard(nullptr)) {
      Sleep(40);
      continue;
    }
    std::optional<std::string> out;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
        out = utf8(std::wstring_view(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t))));
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return out;
  }
  return std::nullopt;
}

bool setClipboardText(const std::string& text) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (!OpenClipboard(nullptr)) {
      Sleep(40);
      continue;
    }
    bool done = false;
    const std::wstring wide = utf16(text);
    const std::size_t bytes = (wide.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes)) {
      std::memcpy(GlobalLock(block), wide.c_str(), bytes);
      GlobalUnlock(block);
      EmptyClipboard();
      // Unicode only, as a browser's copy puts it.
      done = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
      if (!done) GlobalFree(block);
    }
    CloseClipboard();
    return done;
  }
  return false;
}

std::optional<std::string> fileBytes(const std::string& path) {
  HANDLE file = CreateFileW(utf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string out;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(file);
  return out;
}

std::vector<std::string> filesIn(const std::string& dir) {
  std::vector<std::string> out;
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW(utf16(dir + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return out;
  do {
    const std::string name = utf8(entry.cFileName);
    if (name != "." && name != "..") out.push_back(name);
  } while (FindNextFileW(find, &entry));
  FindClose(find);
  std::sort(out.begin(), out.end());
  return out;
}

Picture captureScreen(const RECT& r) {
  Picture picture;
  picture.width = r.right - r.left;
  picture.height = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = -picture.height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, picture.width, picture.height, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  picture.pixels.assign(p, p + static_cast<std::size_t>(picture.width) * picture.height);
  for (std::uint32_t& px : picture.pixels) px &= 0x00FFFFFF;
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return picture;
}

bool Picture::saveBmp(const std::string& path) const {
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER head{};
  head.biSize = sizeof head;
  head.biWidth = width;
  head.biHeight = -height;
  head.biPlanes = 1;
  head.biBitCount = 32;
  head.biCompression = BI_RGB;
  const DWORD bytes = static_cast<DWORD>(pixels.size() * 4);
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof file + sizeof head;
  file.bfSize = file.bfOffBits + bytes;
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(&file), sizeof file);
  out.write(reinterpret_cast<const char*>(&head), sizeof head);
  out.write(reinterpret_cast<const char*>(pixels.data()), bytes);
  return static_cast<bool>(out);
}

}  // namespace lumdrift::e2e
