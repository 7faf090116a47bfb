#include "standins/resources/tests/ResourceReader.h"

#include <cstring>

namespace {

constexpr UINT kCp936 = 936;
constexpr int kMaxText = 4096;
constexpr int kIconCanvas = 32;
constexpr uint32_t kIconBackground = 0x00FF00FF;
constexpr WORD kExtendedSignature = 0xFFFF;
constexpr WORD kToolbarType = 241;  // RT_TOOLBAR

// Walks the words of a resource, never past its end.
class TemplateCursor {
 public:
  TemplateCursor(const BYTE* data, DWORD size) : at_(data), end_(data + size) {}

  template <typename T>
  bool Read(T& value) {
    if (end_ - at_ < static_cast<ptrdiff_t>(sizeof(T))) return false;
    std::memcpy(&value, at_, sizeof(T));
    at_ += sizeof(T);
    return true;
  }
  // A string, or an ordinal (0xFFFF and a word), or nothing (0).
  bool ReadNameOrOrdinal(std::wstring& name) {
    WORD first = 0;
    if (!Read(first)) return false;
    if (first == 0xFFFF) {
      WORD ordinal = 0;
      return Read(ordinal);
    }
    for (WORD ch = first; ch != 0;) {
      name.push_back(static_cast<wchar_t>(ch));
      if (!Read(ch)) return false;
    }
    return true;
  }

 private:
  const BYTE* at_;
  const BYTE* end_;
};

std::vector<uint32_t> ReadPixels(HBITMAP bitmap, int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  HDC screen = GetDC(nullptr);
  int rows = GetDIBits(screen, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  if (rows != height) pixels.clear();
  return pixels;
}

}  // namespace

ResourceReader::ResourceReader(const char* moduleFile) : module_(LoadLibraryA(moduleFile)) {}

ResourceReader::~ResourceReader() {
  if (module_) FreeLibrary(module_);
}

std::string ResourceReader::Text(unsigned id) const {
  char buffer[kMaxText];
  int length = LoadStringA(module_, id, buffer, sizeof buffer);
  return std::string(buffer, length > 0 ? length : 0);
}

std::optional<SIZE> ResourceReader::BitmapSize(unsigned id) const {
  return BitmapSize(MAKEINTRESOURCEA(id));
}

std::optional<SIZE> ResourceReader::BitmapSize(const char* resource) const {
  HBITMAP bitmap = LoadBitmapA(module_, resource);
  if (!bitmap) return std::nullopt;
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  DeleteObject(bitmap);
  return SIZE{info.bmWidth, info.bmHeight};
}

std::vector<uint32_t> ResourceReader::BitmapPixels(unsigned id) const {
  return BitmapPixels(MAKEINTRESOURCEA(id));
}

std::vector<uint32_t> ResourceReader::BitmapPixels(const char* resource) const {
  HBITMAP bitmap = LoadBitmapA(module_, resource);
  if (!bitmap) return {};
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  std::vector<uint32_t> pixels = ReadPixels(bitmap, info.bmWidth, info.bmHeight);
  DeleteObject(bitmap);
  return pixels;
}

std::optional<DialogTemplate> ResourceReader::Dialog(unsigned id) const {
  HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), RT_DIALOG);
  if (!found) return std::nullopt;
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
  TemplateCursor cursor(data, SizeofResource(module_, found));

  WORD version = 0, signature = 0, count = 0;
  DWORD help = 0, exStyle = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  DialogTemplate result;
  if (!cursor.Read(version) || !cursor.Read(signature) || signature != kExtendedSignature ||
      !cursor.Read(help) || !cursor.Read(exStyle) || !cursor.Read(result.style) ||
      !cursor.Read(count) || !cursor.Read(x) || !cursor.Read(y) || !cursor.Read(cx) ||
      !cursor.Read(cy)) {
    return std::nullopt;
  }
  result.controls = count;
  result.width = cx;
  result.height = cy;
  std::wstring menu, windowClass;
  if (!cursor.ReadNameOrOrdinal(menu) || !cursor.ReadNameOrOrdinal(windowClass) ||
      !cursor.ReadNameOrOrdinal(result.title)) {
    return std::nullopt;
  }
  if (result.style & DS_SETFONT) {
    WORD points = 0, weight = 0;
    BYTE italic = 0, charset = 0;
    if (!cursor.Read(points) || !cursor.Read(weight) || !cursor.Read(italic) ||
        !cursor.Read(charset) || !cursor.ReadNameOrOrdinal(result.fontName)) {
      return std::nullopt;
    }
    result.fontPoints = points;
  }
  return result;
}

std::vector<SIZE> ResourceReader::IconSizes(unsigned id) const {
  HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), RT_GROUP_ICON);
  if (!found) return {};
  const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(module_, found)));
  TemplateCursor cursor(data, SizeofResource(module_, found));
  // The group's directory: reserved, type, count, then 14-byte entries that
  // begin with width and height (0 meaning 256).
  WORD reserved = 0, type = 0, count = 0;
  if (!cursor.Read(reserved) || !cursor.Read(type) || !cursor.Read(count)) return {};
  std::vector<SIZE> sizes;
  for (WORD i = 0; i < count; ++i) {
    BYTE entry[14];
    if (!cursor.Read(entry)) break;
    sizes.push_back(SIZE{entry[0] ? entry[0] : 256, entry[1] ? entry[1] : 256});
  }
  return sizes;
}

std::vector<uint32_t> ResourceReader::IconPixels(unsigned id) const {
  auto icon = static_cast<HICON>(
      LoadImageA(module_, MAKEINTRESOURCEA(id), IMAGE_ICON, kIconCanvas, kIconCanvas, 0));
  if (!icon) return {};
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP canvas = CreateCompatibleBitmap(screen, kIconCanvas, kIconCanvas);
  HGDIOBJ old = SelectObject(memory, canvas);
  HBRUSH background = CreateSolidBrush(kIconBackground);
  RECT all{0, 0, kIconCanvas, kIconCanvas};
  FillRect(memory, &all, background);
  DrawIconEx(memory, 0, 0, icon, kIconCanvas, kIconCanvas, 0, nullptr, DI_NORMAL);
  SelectObject(memory, old);
  std::vector<uint32_t> pixels = ReadPixels(canvas, kIconCanvas, kIconCanvas);
  DeleteObject(background);
  DeleteObject(canvas);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  DestroyIcon(icon);
  return pixels;
}

std::optional<POINT> ResourceReader::CursorHotSpot(unsigned id) const {
  HCURSOR cursor = LoadCursorA(module_, MAKEINTRESOURCEA(id));
  ICONINFO info{};
  if (!cursor || !GetIconInfo(cursor, &info)) return std::nullopt;
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  return POINT{static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
}

int ResourceReader::AcceleratorCount(unsigned id) const {
  HACCEL table = LoadAcceleratorsA(module_, MAKEINTRESOURCEA(id));
  if (!table) return -1;
  int count = CopyAcceleratorTableA(table, nullptr, 0);
  DestroyAcceleratorTable(table);
  return count;
}

std::vector<WORD> ResourceReader::ToolbarWords(unsigned id) const {
  HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(kToolbarType));
  if (!found) return {};
  const DWORD size = SizeofResource(module_, found);
  std::vector<WORD> words(size / sizeof(WORD));
  std::memcpy(words.data(), LockResource(LoadResource(module_, found)), words.size() * sizeof(WORD));
  return words;
}

std::wstring WideFromCp936(const std::string& text) {
  if (text.empty()) return {};
  int length = MultiByteToWideChar(kCp936, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(length, L'\0');
  MultiByteToWideChar(kCp936, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
  return wide;
}
