#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace preview {

// A picture in the engine's own form: premultiplied 0xAARRGGBB, top row first.
class PreviewImage {
 public:
  PreviewImage() = default;
  PreviewImage(int width, int height, uint32_t fill = 0)
      : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height, fill) {}
  static PreviewImage FromPixels(int width, int height, const uint32_t* pixels) {
    PreviewImage image;
    image.width_ = width;
    image.height_ = height;
    image.pixels_.assign(pixels, pixels + static_cast<size_t>(width) * height);
    return image;
  }

  int width() const { return width_; }
  int height() const { return height_; }
  std::vector<uint32_t>& pixels() { return pixels_; }
  const std::vector<uint32_t>& pixels() const { return pixels_; }
  bool empty() const { return pixels_.empty(); }

  bool SavePng(const std::wstring& path) const;
  static bool LoadPng(const std::wstring& path, PreviewImage& image);
  // Draws source over this picture with its top left corner at (x, y).
  void Blend(const PreviewImage& source, int x, int y);

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<uint32_t> pixels_;
};

}  // namespace preview
