#include "desktop/send_to_desktop.h"

#include <gtest/gtest.h>

#include "base/captions.h"
#include "tests/harness.h"

namespace lumdrift::test {
namespace {

using enum ControlId;

TEST(SendToDesktop, LinksTheRunningExecutableWithoutAWord) {
  Harness h;
  h.services.location = {"D:", "renamed.exe"};
  h.click(SendToDesktopButton);
  h.click(SendToDesktopButton);
  ASSERT_EQ(h.desktop.links.size(), 2u);
  EXPECT_EQ(h.desktop.links[0].link, "C:\\Users\\seller\\Desktop\\Lumdrift.lnk");
  EXPECT_EQ(h.desktop.links[0].target, "D:\\renamed.exe");
  EXPECT_EQ(h.desktop.links[0].description, "Lumdrift");
  EXPECT_EQ(h.desktop.links[1].link, h.desktop.links[0].link);
  EXPECT_FALSE(h[ResultLabel].visible);
}

TEST(SendToDesktop, ALinkThatCannotBeMadeIsReported) {
  Harness h;
  h.desktop.desktopFolder = "";
  h.click(SendToDesktopButton);
  EXPECT_TRUE(h.desktop.links.empty());
  EXPECT_EQ(h[ResultLabel].text, caption::kShortcutFailed);
  EXPECT_TRUE(h[ResultLabel].visible);

  Harness refused;
  refused.desktop.works = false;
  refused.click(SendToDesktopButton);
  EXPECT_EQ(refused[ResultLabel].text, caption::kShortcutFailed);
}

TEST(SendToDesktop, AProgramInTheTemporaryFolderIsLinkedWithAdvice) {
  Harness h;
  // Explorer runs a program double-clicked inside a zip from here.
  h.services.location = {"c:\\users\\seller\\appdata\\local\\temp\\Temp1_工具.zip", "Lumdrift.exe"};
  h.click(SendToDesktopButton);
  ASSERT_EQ(h.desktop.links.size(), 1u);
  EXPECT_EQ(h[ResultLabel].text, caption::kShortcutFromTemp);
  EXPECT_TRUE(h[ResultLabel].visible);
}

}  // namespace
}  // namespace lumdrift::test
