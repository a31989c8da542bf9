#include "tests/e2e/window_driver.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include "base/control_table.h"
#include "base/win32_handles.h"
#include "base/window_layout.h"

#ifndef LUMDRIFT_EXE_PATH
#define LUMDRIFT_EXE_PATH ""
#endif

namespace lumdrift::e2e {
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
  char title[64] = {};
  GetWindowTextA(h, title, sizeof title);
  if ((search->pid == 0 || pid == search->pid) && search->title == title && IsWindowVisible(h)) {
    search->found = h;
    return FALSE;
  }
  return TRUE;
}

LRESULT send(HWND h, UINT message, WPARAM w, LPARAM l, DWORD timeoutMs = 30000) {
  DWORD_PTR result = 0;
  SendMessageTimeoutA(h, message, w, l, SMTO_NORMAL, timeoutMs, &result);
  return static_cast<LRESULT>(result);
}

void removeTree(const std::wstring& dir) {
  WIN32_FIND_DATAW entry;
  HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring path = dir + L"\\" + entry.cFileName;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      DeleteFileW(path.c_str());
    } while (FindNextFileW(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryW(dir.c_str());
}

std::wstring fromCodePage(UINT codePage, std::string_view text) {
  std::wstring out(text.size(), L'\0');
  out.resize(
      std::max(0, MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()),
                                      out.data(), static_cast<int>(out.size()))));
  return out;
}

}  // namespace

std::string windowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  std::string out = "Z:" + path;
  std::replace(out.begin(), out.end(), '/', '\\');
  return out;
}

std::wstring fromUtf8(std::string_view text) {
  return fromCodePage(CP_UTF8, text);
}

std::string toAnsi(std::wstring_view text) {
  std::string out(text.size() * 4, '\0');
  out.resize(
      std::max(0, WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                      out.data(), static_cast<int>(out.size()), nullptr, nullptr)));
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

App::App(const std::string& exeName, const std::string& folderSuffix, Folder where)
    : App(AppSetup{exeName, fromCodePage(CP_ACP, folderSuffix), where, {}}) {}

App::App(const AppSetup& setup) {
  static int runs = 0;
  std::wstring root = L"C:";
  if (setup.where == Folder::InTemp) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    root = temp;
    if (!root.empty() && root.back() == L'\\') root.pop_back();
  }
  dir_ = root + L"\\lumdrift-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(++runs) + L"-" + std::to_wstring(GetTickCount64() % 100000) +
         setup.folderSuffix;
  exe_ = dir_ + L"\\" + fromCodePage(CP_ACP, setup.exeName);
  if (!CreateDirectoryW(dir_.c_str(), nullptr)) return;
  if (!CopyFileW(fromCodePage(CP_ACP, lumdriftExe()).c_str(), exe_.c_str(), FALSE)) return;
  if (setup.beforeStart) setup.beforeStart(dir_);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  std::wstring commandLine = L"\"" + exe_ + L"\"";
  // Started from the folder above, not the program directory: the tool must
  // move there itself.
  if (!CreateProcessW(exe_.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      (root + L"\\").c_str(), &startup, &process_))
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
        return GetFileAttributesW(dir_.c_str()) == INVALID_FILE_ATTRIBUTES;
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
  if (row.kind == ControlKind::TextButton) return findByCaption(window, fromUtf8(row.text));
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

struct WideCaptionSearch {
  std::wstring_view caption;
  HWND found;
};

BOOL CALLBACK matchWideCaption(HWND h, LPARAM param) {
  auto* search = reinterpret_cast<WideCaptionSearch*>(param);
  if (wideText(h, 2000) != search->caption) return TRUE;
  search->found = h;
  return FALSE;
}

HWND findByCaption(HWND window, std::wstring_view caption) {
  WideCaptionSearch search{caption, nullptr};
  EnumChildWindows(window, matchWideCaption, reinterpret_cast<LPARAM>(&search));
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
  for (const char key : keys) send(edit, WM_CHAR, static_cast<unsigned char>(key), 1);
}

void clearByKeys(HWND edit) {
  send(edit, EM_SETSEL, 0, -1);
  send(edit, WM_CHAR, VK_BACK, 1);
}

void setText(HWND control, const std::string& text) {
  send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), 120000);
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
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  PostMessageA(control, WM_LBUTTONUP, 0, inside);
}

void clickFocus(HWND control) {
  const LPARAM inside = MAKELPARAM(5, 5);
  PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, inside);
  PostMessageA(control, WM_LBUTTONUP, 0, inside);
}

void doubleClick(HWND edit) {
  const LPARAM inside = MAKELPARAM(5, 5);
  PostMessageA(edit, WM_LBUTTONDBLCLK, MK_LBUTTON, inside);
  PostMessageA(edit, WM_LBUTTONUP, 0, inside);
}

void pressEscape(HWND target) {
  PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

std::string text(HWND control, DWORD timeoutMs) {
  const LRESULT length = send(control, WM_GETTEXTLENGTH, 0, 0, timeoutMs);
  // Across ANSI and Unicode windows the length may count characters, not
  // bytes: leave room for two bytes each.
  std::string buffer(static_cast<std::size_t>(length) * 2 + 2, '\0');
  const LRESULT copied =
      send(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()), timeoutMs);
  buffer.resize(std::strlen(buffer.c_str()));
  if (static_cast<std::size_t>(copied) < buffer.size()) buffer.resize(copied);
  return buffer;
}

int selection(HWND combo) {
  return static_cast<int>(send(combo, CB_GETCURSEL, 0, 0));
}

std::vector<std::string> items(HWND combo) {
  std::vector<std::string> out;
  for (const std::wstring& item : wideItems(combo)) out.push_back(toAnsi(item));
  return out;
}

std::vector<std::wstring> wideItems(HWND combo) {
  // Wine hands an item across processes in the list's own Unicode form
  // whichever way it is asked for, so ask in Unicode.
  std::vector<std::wstring> out;
  const int count = static_cast<int>(send(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = send(combo, CB_GETLBTEXTLEN, i, 0);
    std::wstring item(static_cast<std::size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()), SMTO_NORMAL,
                        30000, &copied);
    item.resize(wcslen(item.c_str()));
    out.push_back(item);
  }
  return out;
}

std::wstring wideText(HWND control, DWORD timeoutMs) {
  DWORD_PTR length = 0;
  SendMessageTimeoutW(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeoutMs, &length);
  std::wstring buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                      SMTO_NORMAL, timeoutMs, &copied);
  buffer.resize(std::min<std::size_t>(copied, wcslen(buffer.c_str())));
  return buffer;
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
    if (HANDLE data = GetClipboardData(CF_TEXT)) {
      if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
        out = std::string(bytes, strnlen(bytes, GlobalSize(data)));
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
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, text.size() + 1)) {
      std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
      GlobalUnlock(block);
      EmptyClipboard();
      done = SetClipboardData(CF_TEXT, block) != nullptr;
      if (!done) GlobalFree(block);
    }
    CloseClipboard();
    return done;
  }
  return false;
}

std::optional<std::wstring> clipboardUnicode() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (!OpenClipboard(nullptr)) {
      Sleep(40);
      continue;
    }
    std::optional<std::wstring> out;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
      if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
        out = std::wstring(chars, wcsnlen(chars, GlobalSize(data) / sizeof(wchar_t)));
        GlobalUnlock(data);
      }
    }
    CloseClipboard();
    return out;
  }
  return std::nullopt;
}

bool setClipboardUnicode(std::wstring_view text) {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (!OpenClipboard(nullptr)) {
      Sleep(40);
      continue;
    }
    bool done = false;
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes)) {
      std::memcpy(GlobalLock(block), text.data(), text.size() * sizeof(wchar_t));
      GlobalUnlock(block);
      EmptyClipboard();
      done = SetClipboardData(CF_UNICODETEXT, block) != nullptr;
      if (!done) GlobalFree(block);
    }
    CloseClipboard();
    return done;
  }
  return false;
}

void pressWithCtrl(WORD virtualKey) {
  INPUT keys[4] = {};
  const WORD sequence[4] = {VK_CONTROL, virtualKey, virtualKey, VK_CONTROL};
  for (int i = 0; i < 4; ++i) {
    keys[i].type = INPUT_KEYBOARD;
    keys[i].ki.wVk = sequence[i];
    keys[i].ki.wScan = static_cast<WORD>(MapVirtualKeyW(sequence[i], MAPVK_VK_TO_VSC));
    if (i >= 2) keys[i].ki.dwFlags = KEYEVENTF_KEYUP;
  }
  SendInput(4, keys, sizeof(INPUT));
}

std::optional<std::string> fileBytes(const std::wstring& path) {
  win32::FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                     OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string out;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0)
    out.append(chunk, got);
  return out;
}

std::optional<std::string> fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::string> filesIn(const std::string& dir) {
  std::vector<std::string> out;
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &entry);
  if (find == INVALID_HANDLE_VALUE) return out;
  do {
    const std::string name = entry.cFileName;
    if (name != "." && name != "..") out.push_back(name);
  } while (FindNextFileA(find, &entry));
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
