#include "uxwin/skin/UxGdiplus.h"

#include "uxwin/skin/UxGdiplusHeaders.h"

bool UxGdiplus::Start() {
  static const bool started = [] {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return started;
}
