// The resource modules as the programs load them: every row of a module's
// table comes out of the built DLL with the table's text, size and shape,
// and the drawn faces tell their states apart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <ostream>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "SatchelResources.h"
#include "TeacherResources.h"
#include "standins/resources/tests/ResourceReader.h"

namespace {

enum class Kind { String, Bitmap, Icon, Cursor, Dialog, Accelerator, Toolbar };

struct TableRow {
  Kind kind;
  unsigned id;
  const char* name;
  const char* style;
  int width;
  int height;
  const char* text;  // code page 936 bytes
};

#define KQ_RESOURCE(kind, id, name, style, width, height, text) \
  {Kind::kind, id, name, style, width, height, text},
const TableRow kTeacherTable[] = {
#include "resource_table.inc"
};
const TableRow kStudentTable[] = {
#include "Satchel_table.inc"
};
#undef KQ_RESOURCE

// Ids that the programs' code is written against must keep their numbers.
static_assert(TeacherRes::IDI_PROGRAM == 323 && TeacherRes::IDS_NO_SEAT_ONLINE == 57459);
static_assert(TeacherRes::IDD_MESSAGE_BOX == 359 && TeacherRes::IDB_CLOSE_UP == 235);
static_assert(SatchelRes::IDI_TRAY == 142 && SatchelRes::IDD_MESSAGE_BOX == 151);

const wchar_t kDialogFont[] = L"\x5b8b\x4f53";  // the kit's font for dialogs
constexpr int kDialogFontPoints = 9;
constexpr size_t kMinColours = 3;  // a gradient, a frame and a text at least

struct Module {
  const char* label;
  const char* file;
  const TableRow* rows;
  size_t count;
};

const Module kModules[] = {
    {"Teacher", "resource.dll", kTeacherTable, std::size(kTeacherTable)},
    {"Student", "Satchel.dll", kStudentTable, std::size(kStudentTable)},
};

void PrintTo(const Module& module, std::ostream* out) { *out << module.file; }

// The name of a button face without its state, so the faces of one button group.
std::string FaceGroup(const std::string& name) {
  for (const char* state : {"_UP", "_DOWN", "_HOVER", "_FOCUS", "_DISABLED"}) {
    std::string suffix = state;
    if (name.size() > suffix.size() && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0) {
      return name.substr(0, name.size() - suffix.size());
    }
  }
  return {};
}

class ResourceModuleTest : public testing::TestWithParam<Module> {
 protected:
  ResourceModuleTest() : reader_(GetParam().file) {}
  std::span<const TableRow> Rows() const { return {GetParam().rows, GetParam().count}; }
  ResourceReader reader_;
};

TEST_P(ResourceModuleTest, EveryRowOfTheTableLoadsAsTheTableSays) {
  ASSERT_NE(reader_.Module(), nullptr) << GetParam().file << " does not load";
  for (const TableRow& row : Rows()) {
    SCOPED_TRACE(std::string(row.name) + " " + std::to_string(row.id));
    switch (row.kind) {
      case Kind::String:
        EXPECT_EQ(reader_.Text(row.id), row.text);
        break;
      case Kind::Bitmap: {
        // A named bitmap (id 0) is found by its name.
        const char* resource = row.id != 0 ? MAKEINTRESOURCEA(row.id) : row.name;
        auto size = reader_.BitmapSize(resource);
        ASSERT_TRUE(size);
        EXPECT_EQ(size->cx, row.width);
        EXPECT_EQ(size->cy, row.height);
        auto pixels = reader_.BitmapPixels(resource);
        EXPECT_GE(std::set<uint32_t>(pixels.begin(), pixels.end()).size(), kMinColours) << "blank";
        break;
      }
      case Kind::Icon: {
        auto sizes = reader_.IconSizes(row.id);
        bool hasSize = false;
        for (SIZE s : sizes) hasSize |= s.cx == row.width && s.cy == row.height;
        EXPECT_TRUE(hasSize) << "no " << row.width << "x" << row.height << " image";
        EXPECT_FALSE(reader_.IconPixels(row.id).empty());
        break;
      }
      case Kind::Cursor: {
        POINT expected{};
        ASSERT_EQ(std::sscanf(row.style, "%*[a-z]:%ld,%ld", &expected.x, &expected.y), 2);
        auto hotSpot = reader_.CursorHotSpot(row.id);
        ASSERT_TRUE(hotSpot);
        EXPECT_EQ(hotSpot->x, expected.x);
        EXPECT_EQ(hotSpot->y, expected.y);
        break;
      }
      case Kind::Dialog: {
        auto dialog = reader_.Dialog(row.id);
        ASSERT_TRUE(dialog);
        EXPECT_EQ(dialog->width, row.width);
        EXPECT_EQ(dialog->height, row.height);
        EXPECT_TRUE(dialog->style & WS_POPUP);
        EXPECT_EQ(dialog->title, WideFromCp936(row.text));
        EXPECT_EQ(dialog->fontName, kDialogFont);
        EXPECT_EQ(dialog->fontPoints, kDialogFontPoints);
        break;
      }
      case Kind::Accelerator:
        EXPECT_EQ(reader_.AcceleratorCount(row.id), row.width);
        break;
      case Kind::Toolbar: {
        // Version 1, one button's size, the count, then the ids (0: a separator).
        auto words = reader_.ToolbarWords(row.id);
        ASSERT_GE(words.size(), 4u);
        EXPECT_EQ(words[0], 1);
        EXPECT_EQ(words[1], row.width);
        EXPECT_EQ(words[2], row.height);
        ASSERT_EQ(words.size(), 4u + words[3]);
        const auto buttons = std::count_if(words.begin() + 4, words.end(), [](WORD id) { return id != 0; });
        auto strip = reader_.BitmapSize(row.id);
        ASSERT_TRUE(strip);
        EXPECT_EQ(strip->cx, row.width * buttons) << "one face per button";
        EXPECT_EQ(strip->cy, row.height);
        break;
      }
    }
  }
}

TEST_P(ResourceModuleTest, FacesOfOneButtonDifferByState) {
  std::map<std::string, std::vector<const TableRow*>> groups;
  for (const TableRow& row : Rows()) {
    if (row.kind == Kind::Bitmap && !FaceGroup(row.name).empty()) groups[FaceGroup(row.name)].push_back(&row);
  }
  for (const auto& [group, faces] : groups) {
    std::map<std::vector<uint32_t>, const char*> seen;
    for (const TableRow* face : faces) {
      auto pixels = reader_.BitmapPixels(face->id);
      ASSERT_FALSE(pixels.empty()) << face->name;
      auto [it, added] = seen.emplace(pixels, face->name);
      EXPECT_TRUE(added) << face->name << " looks the same as " << it->second;
    }
  }
}

TEST_P(ResourceModuleTest, AnIdOutsideTheTableIsMissing) {
  constexpr unsigned kUnused = 9999;
  for (const TableRow& row : Rows()) ASSERT_NE(row.id, kUnused);
  EXPECT_EQ(reader_.Text(kUnused), "");
  EXPECT_FALSE(reader_.BitmapSize(kUnused));
  EXPECT_FALSE(reader_.Dialog(kUnused));
  EXPECT_TRUE(reader_.IconSizes(kUnused).empty());
}

INSTANTIATE_TEST_SUITE_P(Modules, ResourceModuleTest, testing::ValuesIn(kModules),
                         [](const auto& info) { return std::string(info.param.label); });

// The start of each program: a text in code page 936, a bitmap of its size and
// the message box template, written here independently of the tables.
TEST(TeacherModule, GivesStartupTextBitmapAndTemplate) {
  ResourceReader teacher("resource.dll");
  ASSERT_NE(teacher.Module(), nullptr);
  EXPECT_EQ(teacher.Text(TeacherRes::IDS_NO_SEAT_ONLINE), "没有在线的学生机，无法执行此操作。");
  auto close = teacher.BitmapSize(TeacherRes::IDB_CLOSE_UP);
  ASSERT_TRUE(close);
  EXPECT_EQ(close->cx, 16);
  EXPECT_EQ(close->cy, 14);
  auto rightPart = teacher.BitmapSize(TeacherRes::IDB_MAIN_RIGHT_PART);
  ASSERT_TRUE(rightPart);
  EXPECT_EQ(rightPart->cx, 258);
  EXPECT_EQ(rightPart->cy, 600);
  auto box = teacher.Dialog(TeacherRes::IDD_MESSAGE_BOX);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->style & (WS_POPUP | WS_CAPTION), static_cast<DWORD>(WS_POPUP));
  EXPECT_NE(box->title, L"Warning");  // the box looks for that title before taking it
  auto about = teacher.Dialog(TeacherRes::IDD_ABOUT);
  ASSERT_TRUE(about);
  EXPECT_EQ(about->controls, 3);
}

TEST(StudentModule, GivesStartupTextBitmapAndTemplate) {
  ResourceReader student("Satchel.dll");
  ASSERT_NE(student.Module(), nullptr);
  EXPECT_EQ(student.Text(SatchelRes::IDS_TRAY_TIP), "晨星电子教室 学生机");
  auto toolbar = student.BitmapSize(SatchelRes::IDB_TOOLBAR_BACKGROUND);
  ASSERT_TRUE(toolbar);
  EXPECT_EQ(toolbar->cx, 229);
  EXPECT_EQ(toolbar->cy, 33);
  auto box = student.Dialog(SatchelRes::IDD_MESSAGE_BOX);
  ASSERT_TRUE(box);
  EXPECT_EQ(box->style & (WS_POPUP | WS_CAPTION), static_cast<DWORD>(WS_POPUP));
}

TEST(TeacherModule, SeatStatesHaveIconsThatLookDifferent) {
  ResourceReader teacher("resource.dll");
  std::map<std::vector<uint32_t>, std::string> seen;
  int seatIcons = 0;
  for (const TableRow& row : kTeacherTable) {
    if (row.kind != Kind::Icon || std::string(row.name).rfind("IDI_SEAT_", 0) != 0) continue;
    ++seatIcons;
    auto pixels = teacher.IconPixels(row.id);
    ASSERT_FALSE(pixels.empty()) << row.name;
    auto [it, added] = seen.emplace(pixels, row.name);
    EXPECT_TRUE(added) << row.name << " looks the same as " << it->second;
  }
  constexpr int kSeatStatesWithIcons = 29;  // states 0..29 but 9
  EXPECT_EQ(seatIcons, kSeatStatesWithIcons);
}

}  // namespace
