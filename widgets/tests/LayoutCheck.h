#pragma once
// What a teacher would see wrong in a window, read from its child controls,
// and a screenshot of it for a person to look at. Works on windows of this
// process and of a program under test alike.

#include <windows.h>

#include <string>
#include <vector>

namespace kqtest {

// One line for each visible child control that reaches outside the window's
// client area, and for each static, push button or edit whose text does not
// fit it (too wide for one line, or taller than the control). Empty when
// everything fits.
std::vector<std::string> LayoutFaults(HWND window);

// Saves what the screen shows of the window as a 24-bit BMP file at
// ShotPath(name); false when it could not be read or written.
bool SaveScreenShot(HWND window, const std::string& name);
// The file a screenshot named `name` goes to: in the folder KQ_SHOTS names,
// else "kq-shots" in the temporary folder (made when missing).
std::string ShotPath(const std::string& name);

} // namespace kqtest
