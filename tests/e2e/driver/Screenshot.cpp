#include "Screenshot.h"

#include <vector>

#include "PngWriter.h"
#include "Text.h"

namespace drive {

namespace {

// Screen pixels of the rectangle as RGB rows, top to bottom.
bool GrabScreen(const RECT& rect, std::vector<uint8_t>& rgb) {
  int width = rect.right - rect.left;
  int height = rect.bottom - rect.top;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool grabbed = false;
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    grabbed = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != 0;
    GdiFlush();
    const auto* pixels = static_cast<const uint8_t*>(bits);
    rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (size_t at = 0; at < rgb.size() / 3; ++at) {
      rgb[at * 3] = pixels[at * 4 + 2];
      rgb[at * 3 + 1] = pixels[at * 4 + 1];
      rgb[at * 3 + 2] = pixels[at * 4];
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return grabbed;
}

}  // namespace

bool CaptureWindow(HWND window, const std::string& path, std::string& error) {
  RECT rect{};
  if (!GetWindowRect(window, &rect) || rect.right <= rect.left || rect.bottom <= rect.top) {
    error = "the window has no area";
    return false;
  }
  std::vector<uint8_t> rgb;
  if (!GrabScreen(rect, rgb)) {
    error = "cannot copy the screen";
    return false;
  }
  std::string png = EncodePng(static_cast<uint32_t>(rect.right - rect.left),
                              static_cast<uint32_t>(rect.bottom - rect.top), rgb);
  HANDLE file = CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    error = "cannot create the file";
    return false;
  }
  DWORD written = 0;
  bool ok = WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr) &&
            written == png.size();
  CloseHandle(file);
  if (!ok) error = "cannot write the file";
  return ok;
}

}  // namespace drive
