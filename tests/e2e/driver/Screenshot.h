// Saves what the screen shows of a window as a PNG file.
#pragma once

#include <windows.h>

#include <string>

namespace drive {

bool CaptureWindow(HWND window, const std::string& path, std::string& error);

}  // namespace drive
