// A program that carries its own resources finds them in its own module.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <gtest/gtest.h>

#include "EmbeddedResources.h"

namespace {

TEST(EmbeddedResources, ComeFromTheProgramItself) {
  HMODULE self = GetModuleHandleA(nullptr);
  char text[64] = {};
  ASSERT_GT(LoadStringA(self, EmbeddedRes::IDS_EMBEDDED_NOTICE, text, sizeof text), 0);
  EXPECT_STREQ(text, "本程序自带的资源");

  HBITMAP panel = LoadBitmapA(self, MAKEINTRESOURCEA(EmbeddedRes::IDB_EMBEDDED_PANEL));
  ASSERT_NE(panel, nullptr);
  BITMAP info{};
  GetObjectA(panel, sizeof info, &info);
  DeleteObject(panel);
  EXPECT_EQ(info.bmWidth, 120);
  EXPECT_EQ(info.bmHeight, 80);

  EXPECT_NE(FindResourceA(self, MAKEINTRESOURCEA(EmbeddedRes::IDD_EMBEDDED_BOX), RT_DIALOG), nullptr);
}

}  // namespace
