#pragma once
// The bitmap preview of the picture file dialog: where a picture goes in
// the preview box, and the texts that describe it.

#include <cstdint>
#include <string>

namespace kq {

struct PreviewRect {
    int left;
    int top;
    int right;
    int bottom;
};

// The picture of width x height stretched into `box` keeping its shape: a
// wide picture takes the box's width, a tall (or square) one its height,
// centred the other way (half the spare space, truncated). False, leaving
// `fit` alone, for an empty picture or box.
bool FitPreview(int width, int height, const PreviewRect& box, PreviewRect& fit);

// "Colors: ..." for a depth of 1, 4, 8, 16 or 24 bits per pixel; empty for
// any other depth.
std::string PreviewColourText(int bitsPerPixel);
std::string PreviewWidthText(int width);
std::string PreviewHeightText(int height);
// The file size in whole kilobytes (bytes / 1024, truncated).
std::string PreviewSizeText(uint64_t bytes);

} // namespace kq
