#include "tests/support/portable_file_writer.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace lumdrift {
namespace {

namespace fs = std::filesystem;

class FileWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() /
          ("lumdrift-writer-" + std::to_string(::getpid()) + "-" +
           ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override {
    fs::permissions(dir, fs::perms::owner_all);
    fs::remove_all(dir);
  }
  std::string read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  Text toolPath() const { return dir.string() + "\\yl.htm"; }  // the tool's separators
  fs::path dir;
  PortableFileWriter writer;
};

TEST_F(FileWriterTest, WritesBytesExactlyAndTruncates) {
  const std::string gbk = "\xC4\xE3\xBA\xC3\r\n\0x";
  ASSERT_TRUE(writer.replaceFile(toolPath(), std::string_view(gbk.data(), 8)));
  EXPECT_EQ(read(dir / "yl.htm"), std::string(gbk.data(), 8));
  ASSERT_TRUE(writer.replaceFile(toolPath(), "ab"));
  EXPECT_EQ(read(dir / "yl.htm"), "ab");
  ASSERT_TRUE(writer.replaceFile(toolPath(), ""));
  EXPECT_TRUE(fs::exists(dir / "yl.htm"));
  EXPECT_EQ(fs::file_size(dir / "yl.htm"), 0u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FileWriterTest, FailedWriteKeepsThePreviousPage) {
  ASSERT_TRUE(writer.replaceFile(toolPath(), "good page"));
  if (::geteuid() == 0) {
    // Root writes through permissions; a directory in the way fails for all.
    fs::create_directories(dir / "yl.htm.tmp");
  } else {
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
  }
  EXPECT_FALSE(writer.replaceFile(toolPath(), "cut"));
  EXPECT_EQ(read(dir / "yl.htm"), "good page");
}

TEST_F(FileWriterTest, MissingDirectoryFails) {
  EXPECT_FALSE(writer.replaceFile(dir.string() + "\\missing\\yl.htm", "x"));
}

}  // namespace
}  // namespace lumdrift
