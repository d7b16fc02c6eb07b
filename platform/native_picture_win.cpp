// <windows.h> first: the other Windows headers need its types.
#include <windows.h>

#include <cstdio>

#include "platform/native_picture.h"
#include "platform/native_window.h"

namespace orv::platform {
namespace {

HWND Hwnd(NativeHandle handle) { return static_cast<HWND>(handle); }

void WriteLittle(std::FILE* file, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>(value >> (8 * i) & 0xFF), file);
}

bool WriteBmp(const std::string& path, const void* bits, int width, int height, int stride) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const std::uint32_t image_size =
      static_cast<std::uint32_t>(stride) * static_cast<std::uint32_t>(height);
  std::fputc('B', file);
  std::fputc('M', file);
  WriteLittle(file, 54 + image_size, 4);
  WriteLittle(file, 0, 4);
  WriteLittle(file, 54, 4);
  WriteLittle(file, 40, 4);  // BITMAPINFOHEADER, rows bottom-up as the DIB holds them
  WriteLittle(file, static_cast<std::uint32_t>(width), 4);
  WriteLittle(file, static_cast<std::uint32_t>(height), 4);
  WriteLittle(file, 1, 2);
  WriteLittle(file, 24, 2);
  for (int i = 0; i < 6; ++i) WriteLittle(file, 0, 4);
  const bool written = std::fwrite(bits, 1, image_size, file) == image_size;
  return std::fclose(file) == 0 && written;
}

}  // namespace

bool SaveNativePicture(const std::vector<NativeHandle>& windows, const std::string& path) {
  std::vector<HWND> shown;
  for (NativeHandle window : windows) shown.push_back(Hwnd(window));
  if (HWND box = Hwnd(OpenNativeMessageBox())) shown.push_back(box);  // over the others
  RECT bounds{};
  for (HWND window : shown) {
    RECT outer{};
    GetWindowRect(window, &outer);
    UnionRect(&bounds, &bounds, &outer);
  }
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) return false;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC memory = CreateCompatibleDC(nullptr);
  HBITMAP picture = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (picture == nullptr || bits == nullptr) {
    DeleteDC(memory);
    return false;
  }
  HGDIOBJ previous = SelectObject(memory, picture);
  const RECT all{0, 0, width, height};
  HBRUSH desktop = CreateSolidBrush(RGB(0x50, 0x50, 0x50));
  FillRect(memory, &all, desktop);  // between windows
  DeleteObject(desktop);
  for (HWND window : shown) {
    // Drawn now, frame and children included, so the picture shows the state of this moment.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    RECT outer{};
    GetWindowRect(window, &outer);
    HDC source = GetWindowDC(window);
    BitBlt(memory, outer.left - bounds.left, outer.top - bounds.top, outer.right - outer.left,
           outer.bottom - outer.top, source, 0, 0, SRCCOPY);
    ReleaseDC(window, source);
  }
  GdiFlush();
  const bool written = WriteBmp(path, bits, width, height, (width * 3 + 3) & ~3);
  SelectObject(memory, previous);
  DeleteObject(picture);
  DeleteDC(memory);
  return written;
}

}  // namespace orv::platform
