#include "desktop/send_to_desktop.h"

#include <gtest/gtest.h>

#include "tests/harness.h"

namespace lumdrift::test {
namespace {

TEST(SendToDesktop, LinksTheRunningExecutable) {
  Harness h;
  h.services.location = {"D:", "renamed.exe"};
  h.click(ControlId::SendToDesktopButton);
  h.click(ControlId::SendToDesktopButton);
  ASSERT_EQ(h.desktop.links.size(), 2u);
  EXPECT_EQ(h.desktop.links[0].link, "C:\\Users\\seller\\Desktop\\Lumdrift.lnk");
  EXPECT_EQ(h.desktop.links[0].target, "D:\\renamed.exe");
  EXPECT_EQ(h.desktop.links[0].description, "Lumdrift");
  EXPECT_EQ(h.desktop.links[1].link, h.desktop.links[0].link);
}

TEST(SendToDesktop, NoDesktopFolderNoLink) {
  Harness h;
  h.desktop.desktopFolder = "";
  h.click(ControlId::SendToDesktopButton);
  EXPECT_TRUE(h.desktop.links.empty());
}

}  // namespace
}  // namespace lumdrift::test
