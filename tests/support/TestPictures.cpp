#include "TestPictures.h"

#include "uxwin/skin/UxCanvas.h"

namespace testing_support {

bool WritePicture(const std::wstring& path, int frameWidth, int height, std::initializer_list<uint32_t> colours) {
  UxCanvas canvas(frameWidth * static_cast<int>(colours.size()), height);
  if (!canvas.IsValid()) return false;
  int frame = 0;
  for (const uint32_t colour : colours) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < frameWidth; ++x) canvas.bits()[y * canvas.width() + frame * frameWidth + x] = colour;
    }
    ++frame;
  }
  return canvas.SavePng(path);
}

}  // namespace testing_support
