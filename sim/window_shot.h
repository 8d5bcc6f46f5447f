// A picture of one window as it is on the screen, written as a BMP file.
#pragma once

#include <windows.h>

#include <string>

namespace sim {

// Writes the window's screen area to `path`; returns what the transcript
// says about it ("written", or why not: no display under Wine's null
// graphics driver, or the error).
std::string TakeWindowShot(HWND window, const std::string& path);

}  // namespace sim
