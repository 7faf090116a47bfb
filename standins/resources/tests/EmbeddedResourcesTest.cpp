// A program that carries its own resources finds them in its own module:
// texts, bitmaps (by id and by name), toolbars and dialog templates with
// every control kind the tables offer.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "EmbeddedResources.h"

namespace {

constexpr WORD kToolbarVersion = 1;
constexpr WORD kToolbarType = 241;  // RT_TOOLBAR

SIZE BitmapSize(HMODULE module, LPCSTR name) {
  HBITMAP bitmap = LoadBitmapA(module, name);
  if (!bitmap) return SIZE{0, 0};
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  DeleteObject(bitmap);
  return SIZE{info.bmWidth, info.bmHeight};
}

TEST(EmbeddedResources, ComeFromTheProgramItself) {
  HMODULE self = GetModuleHandleA(nullptr);
  char text[64] = {};
  ASSERT_GT(LoadStringA(self, EmbeddedRes::IDS_EMBEDDED_NOTICE, text, sizeof text), 0);
  EXPECT_STREQ(text, "本程序自带的资源");

  const SIZE panel = BitmapSize(self, MAKEINTRESOURCEA(EmbeddedRes::IDB_EMBEDDED_PANEL));
  EXPECT_EQ(panel.cx, 120);
  EXPECT_EQ(panel.cy, 80);

  EXPECT_NE(FindResourceA(self, MAKEINTRESOURCEA(EmbeddedRes::IDD_EMBEDDED_BOX), RT_DIALOG), nullptr);
}

TEST(EmbeddedResources, NamedBitmapsAreFoundByTheirNames) {
  HMODULE self = GetModuleHandleA(nullptr);
  for (const char* name : {"OKU", "OKD", "oku"}) {
    SCOPED_TRACE(name);
    const SIZE face = BitmapSize(self, name);
    EXPECT_EQ(face.cx, 43);
    EXPECT_EQ(face.cy, 20);
  }
  EXPECT_EQ(BitmapSize(self, "OKF").cx, 0) << "no focus face in the table";
}

TEST(EmbeddedResources, AToolbarListsItsButtonsAndCarriesTheirStrip) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(EmbeddedRes::IDR_EMBEDDED_BAR), MAKEINTRESOURCEA(kToolbarType));
  ASSERT_NE(found, nullptr);
  const DWORD size = SizeofResource(self, found);
  ASSERT_EQ(size % sizeof(WORD), 0u);
  std::vector<WORD> words(size / sizeof(WORD));
  std::memcpy(words.data(), LockResource(LoadResource(self, found)), size);
  // Version, button width and height, count, then the command ids (0: a separator).
  EXPECT_EQ(words, (std::vector<WORD>{kToolbarVersion, 24, 22, 4, 7011, 0, 7012, 7013}));

  const SIZE strip = BitmapSize(self, MAKEINTRESOURCEA(EmbeddedRes::IDR_EMBEDDED_BAR));
  EXPECT_EQ(strip.cx, 3 * 24) << "one face per button, none for the separator";
  EXPECT_EQ(strip.cy, 22);
}

TEST(EmbeddedResources, DialogTemplatesMakeEveryControlKind) {
  INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_WIN95_CLASSES};
  ASSERT_TRUE(InitCommonControlsEx(&classes));
  HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(EmbeddedRes::IDD_EMBEDDED_CONTROLS),
                                   nullptr, [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
  ASSERT_NE(dialog, nullptr) << "every control's class exists";

  const struct {
    int id;
    const char* windowClass;
    DWORD mask;  // the style bits that tell the kind
    DWORD style;
    const char* text;
  } controls[] = {
      {1, "Button", BS_TYPEMASK, BS_OWNERDRAW, "OK"},
      {1001, "Button", BS_TYPEMASK | WS_TABSTOP, BS_AUTOCHECKBOX | WS_TABSTOP, "记住选择"},
      {1002, "Button", BS_TYPEMASK | WS_GROUP | WS_TABSTOP, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, "甲"},
      {1003, "Button", BS_TYPEMASK | WS_GROUP | WS_TABSTOP, BS_AUTORADIOBUTTON, "乙"},
      {1004, "Button", BS_TYPEMASK, BS_GROUPBOX, "分组"},
      {1005, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT | CBS_AUTOHSCROLL, CBS_DROPDOWN | CBS_SORT | CBS_AUTOHSCROLL, ""},
      {1006, "ComboBox", CBS_DROPDOWNLIST | CBS_SORT, CBS_DROPDOWNLIST, ""},
      {1007, TRACKBAR_CLASSA, TBS_AUTOTICKS | TBS_VERT, TBS_AUTOTICKS, ""},
      {1008, WC_LISTVIEWA, LVS_TYPEMASK | LVS_EDITLABELS | LVS_SINGLESEL,
       LVS_REPORT | LVS_EDITLABELS | LVS_SINGLESEL, ""},
      {1009, WC_TREEVIEWA, TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT,
       TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, ""},
  };
  for (const auto& c : controls) {
    SCOPED_TRACE(c.id);
    HWND control = GetDlgItem(dialog, c.id);
    ASSERT_NE(control, nullptr);
    char name[64] = {};
    GetClassNameA(control, name, sizeof name);
    EXPECT_EQ(lstrcmpiA(name, c.windowClass), 0) << name;
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrA(control, GWL_STYLE));
    EXPECT_EQ(style & c.mask, c.style) << std::hex << style;
    EXPECT_TRUE(style & WS_VISIBLE);
    char text[64] = {};
    GetWindowTextA(control, text, sizeof text);
    EXPECT_STREQ(text, c.text);
  }
  DestroyWindow(dialog);
}

}  // namespace
