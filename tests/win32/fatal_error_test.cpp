// The fatal error box of the executable, seen from outside: this test program
// starts itself again as the failing process, reads the box it shows,
// dismisses it and takes the exit code.

#include "app/win32/fatal_error.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <new>
#include <string>

#include "base/captions.h"
#include "base/win32_text.h"

namespace lumdrift {
namespace {

constexpr char kChildSwitch[] = "--fail-allocation";
// More than the process can hold, and the number the box must name in full:
// a 64-bit size cut to 32 bits would read "-16".
constexpr std::size_t kImpossible = sizeof(void*) == 8 ? 0x7FFFFFFFFFFFFFF0u : 0x7FFFFFF0u;
constexpr const char* kImpossibleText = sizeof(void*) == 8 ? "9223372036854775792" : "2147483632";

struct Outcome {
  std::string caption, text;
  bool errorIcon = false;
  DWORD exitCode = 0;
};

struct Search {
  DWORD process;
  HWND box;
};

BOOL CALLBACK findBox(HWND w, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(w, &owner);
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (owner != search->process || std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(w)) {
    return TRUE;
  }
  search->box = w;
  return FALSE;
}

BOOL CALLBACK readBox(HWND w, LPARAM param) {
  auto* out = reinterpret_cast<Outcome*>(param);
  char cls[32] = {};
  GetClassNameA(w, cls, sizeof cls);
  if (std::strcmp(cls, "Static") != 0) return TRUE;
  if ((GetWindowLongA(w, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
    out->errorIcon = true;
  } else if (GetWindowTextLengthW(w) > 0) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(w)) + 1, L'\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextW(w, text.data(), static_cast<int>(text.size()))));
    out->text = win32::narrow(text);
  }
  return TRUE;
}

Outcome runFailingChild() {
  Outcome out;
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"";
  command.append(self).append("\" ").append(kChildSwitch);
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child = {};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &child)) {
    ADD_FAILURE() << "could not start " << command;
    return out;
  }
  Search search{child.dwProcessId, nullptr};
  for (int i = 0; i < 300 && search.box == nullptr; ++i) {
    Sleep(50);
    EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
  }
  if (search.box != nullptr) {
    wchar_t caption[64] = {};
    GetWindowTextW(search.box, caption, 64);
    out.caption = win32::narrow(caption);
    EnumChildWindows(search.box, readBox, reinterpret_cast<LPARAM>(&out));
    PostMessageA(search.box, WM_COMMAND, IDOK, 0);
  } else {
    ADD_FAILURE() << "no error box appeared";
    TerminateProcess(child.hProcess, 99);
  }
  if (WaitForSingleObject(child.hProcess, 15000) != WAIT_OBJECT_0) {
    ADD_FAILURE() << "the failing process did not end";
    TerminateProcess(child.hProcess, 98);
  }
  GetExitCodeProcess(child.hProcess, &out.exitCode);
  CloseHandle(child.hThread);
  CloseHandle(child.hProcess);
  return out;
}

TEST(FatalError, FailedAllocationShowsTheBoxAndEndsWithMinusOne) {
  const Outcome out = runFailingChild();
  EXPECT_EQ(out.caption, caption::kFatalCaption);
  EXPECT_EQ(out.text, std::string("运行时出错!\r\n\r\n错误信息：分配 ") + kImpossibleText +
                          " 字节内存失败!\r\n");
  EXPECT_TRUE(out.errorIcon);
  EXPECT_EQ(out.exitCode, 0xFFFFFFFFu);
}

TEST(FatalError, TextHasThePrefixTheMessageAndOneLineBreak) {
  char text[128];
  const std::size_t n = fatalErrorText(caption::kWindowLoadFailed, text, sizeof text);
  EXPECT_EQ(std::string(text, n), "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n");
  // A message too long for the buffer is cut, never overrun.
  char small[16];
  EXPECT_EQ(fatalErrorText(std::string(100, 'x'), small, sizeof small), 15u);
  EXPECT_EQ(small[15], '\0');
}

}  // namespace
}  // namespace lumdrift

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], lumdrift::kChildSwitch) == 0) {
    // The executable's own allocation functions are linked in: the failure
    // never returns.
    volatile char* block = static_cast<char*>(::operator new(lumdrift::kImpossible));
    block[0] = 1;
    return 0;
  }
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
