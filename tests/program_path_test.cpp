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
  // Folder names ending in non-ASCII characters keep every byte.
  for (const char* dir : {"C:\\Café", "C:\\新建文件夹", "C:\\工具👉", "C:\\表"}) {
    const ProgramLocation loc = splitModulePath(std::string(dir) + "\\Lumdrift.exe");
    EXPECT_EQ(loc.directory, dir);
    EXPECT_EQ(loc.executableName, "Lumdrift.exe");
  }
}

TEST(TrailingSeparator, AddedOnlyWhenMissing) {
  EXPECT_EQ(withTrailingSeparator("C:\\Users\\a\\Desktop"), "C:\\Users\\a\\Desktop\\");
  EXPECT_EQ(withTrailingSeparator("C:\\Users\\a\\Desktop\\"), "C:\\Users\\a\\Desktop\\");
  EXPECT_EQ(withTrailingSeparator(""), "\\");
}

TEST(LiesUnder, WholeFolderNamesWithoutRegardToCase) {
  const char* temp = "C:\\Users\\Seller\\AppData\\Local\\Temp";
  EXPECT_TRUE(liesUnder("C:\\Users\\Seller\\AppData\\Local\\Temp\\Temp1_tool.zip", temp));
  EXPECT_TRUE(liesUnder("c:\\users\\seller\\appdata\\local\\TEMP\\x", temp));
  EXPECT_TRUE(liesUnder(temp, temp));
  EXPECT_FALSE(liesUnder("C:\\Users\\Seller\\AppData\\Local\\Temporary\\x", temp));
  EXPECT_FALSE(liesUnder("D:\\Tools", temp));
  EXPECT_FALSE(liesUnder("C:\\Tools", ""));
}

}  // namespace
}  // namespace lumdrift
