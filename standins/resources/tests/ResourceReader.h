#pragma once
// Reads what a resource module holds, through the same calls the programs
// use, in forms a test can compare with its table.

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct DialogTemplate {
  DWORD style = 0;
  int width = 0;   // dialog units
  int height = 0;  // dialog units
  int controls = 0;
  std::wstring title;
  int fontPoints = 0;
  std::wstring fontName;
};

class ResourceReader {
 public:
  explicit ResourceReader(const char* moduleFile);
  ~ResourceReader();
  ResourceReader(const ResourceReader&) = delete;
  ResourceReader& operator=(const ResourceReader&) = delete;

  HMODULE Module() const { return module_; }

  // LoadStringA's bytes (code page 936); empty when there is no such string.
  std::string Text(unsigned id) const;
  // Bitmaps by id, or by name (a button's named faces).
  std::optional<SIZE> BitmapSize(unsigned id) const;
  std::optional<SIZE> BitmapSize(const char* resource) const;
  // Top-down 32-bit pixels of the bitmap; empty when there is none.
  std::vector<uint32_t> BitmapPixels(unsigned id) const;
  std::vector<uint32_t> BitmapPixels(const char* resource) const;
  std::optional<DialogTemplate> Dialog(unsigned id) const;
  // The sizes of the images of an icon group, from its directory.
  std::vector<SIZE> IconSizes(unsigned id) const;
  // The icon drawn at 32 x 32 over a fixed background; empty when missing.
  std::vector<uint32_t> IconPixels(unsigned id) const;
  std::optional<POINT> CursorHotSpot(unsigned id) const;
  // Number of keys of an accelerator table; -1 when there is none.
  int AcceleratorCount(unsigned id) const;
  // The words of a toolbar resource (version, width, height, count, ids);
  // empty when there is none.
  std::vector<WORD> ToolbarWords(unsigned id) const;

 private:
  HMODULE module_;
};

// Code page 936 bytes to UTF-16, as the system converts them.
std::wstring WideFromCp936(const std::string& text);
