#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace Gdiplus {
class Bitmap;
class Graphics;
}  // namespace Gdiplus

class UxCanvas;
class UxTextCache;

// Narrows GDI and GDI+ drawing on a canvas to a rectangle for its lifetime.
class UxCanvasClip {
 public:
  UxCanvasClip(UxCanvas& canvas, const RECT& rect);
  UxCanvasClip(UxCanvas& canvas, HRGN region);
  ~UxCanvasClip();
  UxCanvasClip(const UxCanvasClip&) = delete;
  UxCanvasClip& operator=(const UxCanvasClip&) = delete;

 private:
  UxCanvas& canvas_;
  int savedDc_ = 0;
  unsigned int graphicsState_ = 0;
};

// The off-screen surface everything is painted into: a top-down 32-bit DIB with premultiplied
// alpha, reachable through a memory DC (GDI) and a GDI+ bitmap over the same pixels.
class UxCanvas {
 public:
  UxCanvas(int width, int height);
  ~UxCanvas();
  UxCanvas(const UxCanvas&) = delete;
  UxCanvas& operator=(const UxCanvas&) = delete;

  bool IsValid() const { return bits_ != nullptr; }
  int width() const { return width_; }
  int height() const { return height_; }
  HDC dc() const { return dc_; }
  Gdiplus::Graphics& graphics();
  uint32_t* bits() const { return bits_; }

  // The bounds of what drawing may touch now (the whole surface without a clip).
  RECT ClipBox() const;
  // The rectangles of within that the clip lets drawing reach; false when the clip is unknown.
  bool ClipParts(const RECT& within, std::vector<RECT>& parts) const;
  // Texts drawn on this surface, for drawing them again (see UxTextCache).
  UxTextCache& text_cache();
  // 0xAARRGGBB, premultiplied; 0 outside the surface.
  uint32_t Pixel(int x, int y) const;
  void Clear(uint32_t premultipliedArgb = 0);
  bool SavePng(const std::wstring& path);

 private:
  int width_;
  int height_;
  uint32_t* bits_ = nullptr;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  std::unique_ptr<Gdiplus::Bitmap> surface_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
  std::unique_ptr<UxTextCache> textCache_;
};
