#pragma once

#include <windows.h>

#include <functional>
#include <memory>

class UxCanvas;

// The host's off-screen picture of its whole client area. Only what was invalidated is painted
// again; the rest of the picture is kept. Presented with UpdateLayeredWindow for a layered host.
class UxBackBuffer {
 public:
  using DrawFn = std::function<void(UxCanvas& canvas, HRGN region)>;

  UxBackBuffer();
  ~UxBackBuffer();
  UxBackBuffer(const UxBackBuffer&) = delete;
  UxBackBuffer& operator=(const UxBackBuffer&) = delete;

  void Invalidate(const RECT& rect);
  void InvalidateAll();
  bool NeedsPaint() const { return fullPaint_ || invalid_ != nullptr; }
  // Brings the picture up to date: a full paint clears everything, a partial one clears and
  // repaints only the invalid region (draw gets that region, or null for the whole area).
  void Paint(int width, int height, const DrawFn& draw);
  // Pushes the picture to the window: per-pixel alpha for a layered one, a blit otherwise. A
  // layered window gets only the part painted since the last push as its dirty rectangle.
  bool Present(HWND window, HDC paintDc, BYTE constantAlpha);
  // Drops the picture (destroyed window, new size).
  void Release();

  UxCanvas* canvas() const { return canvas_.get(); }
  // Pixels cleared and repainted by the last Paint.
  long long last_painted_area() const { return lastPaintedArea_; }

 private:
  void ClearRegion(HRGN region);
  void DropInvalidRegion();

  std::unique_ptr<UxCanvas> canvas_;
  HRGN invalid_ = nullptr;
  bool fullPaint_ = true;
  long long lastPaintedArea_ = 0;
  RECT unpushed_{};  // painted since the last push; empty: push the whole picture
};
