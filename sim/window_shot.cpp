#include "sim/window_shot.h"

#include <fstream>
#include <vector>

#include "ui/handles.h"

namespace sim {
namespace {

// Wine's null graphics driver draws nothing anyone could see.
bool NullGraphicsDriver() {
  wchar_t driver[64] = {};
  DWORD size = sizeof driver;
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Wine\\Drivers", L"Graphics", RRF_RT_REG_SZ, nullptr,
                   driver, &size) != ERROR_SUCCESS) {
    return false;
  }
  return lstrcmpiW(driver, L"null") == 0;
}

}  // namespace

std::string TakeWindowShot(HWND window, const std::string& path) {
  if (NullGraphicsDriver()) return "no display (the null graphics driver)";
  // The window is painted anew first, so the picture shows its state now.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
  GdiFlush();
  // Wine's X11 driver copies what was painted to the display while the
  // thread handles messages: let it, rather than sleeping through it.
  const DWORD until = GetTickCount() + 300;
  for (DWORD now = GetTickCount(); static_cast<LONG>(until - now) > 0; now = GetTickCount()) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, until - now, QS_ALLINPUT);
  }
  RECT r = {};
  GetWindowRect(window, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  struct ScreenDc {
    HDC dc = GetDC(nullptr);
    ~ScreenDc() { ReleaseDC(nullptr, dc); }
  } screen;
  quorn::ui::MemoryDc memory(CreateCompatibleDC(screen.dc));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  quorn::ui::GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !bitmap || !bits) return "cannot capture";
  std::ofstream out;
  {
    quorn::ui::ScopedSelectObject selected(memory.get(), bitmap.get());
    BitBlt(memory.get(), 0, 0, width, height, screen.dc, r.left, r.top, SRCCOPY);
    GdiFlush();
    const DWORD stride = static_cast<DWORD>((width * 3 + 3) & ~3);
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info.bmiHeader;
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;
    out.open(path, std::ios::binary);
    if (out) {
      out.write(reinterpret_cast<const char*>(&file), sizeof file);
      out.write(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
      out.write(static_cast<const char*>(bits), imageSize);
    }
  }
  return out ? "written" : "cannot write";
}

}  // namespace sim
