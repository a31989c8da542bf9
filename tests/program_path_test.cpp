#include "base/program_path.h"

#include <gtest/gtest.h>

namespace lumdrift {
namespace {

TEST(ModulePath, SplitsAtTheLastSeparator) {
  const ProgramLocation tools = splitModulePath("C:\\Tools\\Lumdrift.exe");
  EXPECT_EQ(tools.directory, "C:\\Tools");
  EXPECT_EQ(tools.executableName, "Lumdrift.exe");
  const ProgramLocation root = splitModulePath("D:\\Lumdrift.exe");
  EXPECT_EQ(root.directory, "D:");
  EXPECT_EQ(root.executableName, "Lumdrift.exe");
  const ProgramLocation renamed = splitModulePath("C:\\a b\\c\\tool (2).EXE");
  EXPECT_EQ(renamed.directory, "C:\\a b\\c");
  EXPECT_EQ(renamed.executableName, "tool (2).EXE");
  const ProgramLocation unc = splitModulePath("\\\\server\\share\\x.exe");
  EXPECT_EQ(unc.directory, "\\\\server\\share");
}

TEST(ModulePath, TrailByteBackslashIsNoSeparator) {
  // 0x815C is one GBK character whose trail byte is the backslash's byte.
  const std::string dir = "C:\\\xB9\xA4\xBE\xDF\x81\x5C";
  const ProgramLocation loc = splitModulePath(dir + "\\Lumdrift.exe");
  EXPECT_EQ(loc.directory, dir);
  EXPECT_EQ(loc.executableName, "Lumdrift.exe");
  EXPECT_EQ(splitModulePath("C:\\\x81\x5Cx.exe").executableName, "\x81\x5Cx.exe");
}

TEST(TrailingSeparator, AddedOnlyWhenMissing) {
  EXPECT_EQ(withTrailingSeparator("C:\\Users\\a\\Desktop"), "C:\\Users\\a\\Desktop\\");
  EXPECT_EQ(withTrailingSeparator("C:\\Users\\a\\Desktop\\"), "C:\\Users\\a\\Desktop\\");
  EXPECT_EQ(withTrailingSeparator("C:\\\x81\x5C"), "C:\\\x81\x5C\\");
  EXPECT_EQ(withTrailingSeparator(""), "\\");
}

}  // namespace
}  // namespace lumdrift
