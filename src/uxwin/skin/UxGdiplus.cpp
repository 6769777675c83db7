#include "uxwin/skin/UxGdiplus.h"

#include "uxwin/skin/UxGdiplusHeaders.h"

#include <cwchar>
#include <vector>

bool UxGdiplus::Start() {
  static const bool started = [] {
    Gdiplus::GdiplusStartupInput input;
    ULONG_PTR token = 0;
    return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
  }();
  return started;
}

bool UxGdiplus::EncoderClsid(const wchar_t* mimeType, CLSID& clsid) {
  UINT count = 0;
  UINT size = 0;
  if (!Start() || Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<char> buffer(size);
  auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, encoders) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (wcscmp(encoders[i].MimeType, mimeType) == 0) {
      clsid = encoders[i].Clsid;
      return true;
    }
  }
  return false;
}
