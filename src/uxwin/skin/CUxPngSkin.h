#pragma once

#include <map>
#include <memory>
#include <string>

#include "uxwin/skin/CUxSkinBase.h"

namespace Gdiplus {
class Bitmap;
}

// A PNG strip with one frame per state ("subwidth"), optionally a nine-grid ("margin_*"), drawn
// with the image's per-pixel alpha. At a DPI factor it uses a pre-scaled image when one matches.
class CUxPngSkin : public CUxSkinBase {
 public:
  CUxPngSkin();
  ~CUxPngSkin() override;

  const char* GetObjectClass() const override { return "png"; }
  int32_t SetAttribute(const char* name, const char* value, bool loading) override;

  bool LoadImage() override;
  SIZE GetSkinSize() override;
  bool IgnoreState() override { return subWidth_ == 0; }
  void Draw(UxCanvas& canvas, const RECT& rect, int state, bool dpiAware, int alpha) override;

 private:
  struct Geometry;
  void DrawNineGrid(UxCanvas& canvas, Gdiplus::Bitmap& image, const Geometry& geometry, const RECT& rect,
                    int alpha);
  void DrawPiece(UxCanvas& canvas, Gdiplus::Bitmap& image, const RECT& destination, int srcX, int srcY, int srcW,
                 int srcH, int alpha);
  Gdiplus::Bitmap* HighQualityPiece(Gdiplus::Bitmap& image, int srcX, int srcY, int srcW, int srcH, int width,
                                    int height);

  bool loaded_ = false;
  unsigned dpiGeneration_ = 0;  // the factor's settings the images were chosen under
  Gdiplus::Bitmap* image_ = nullptr;
  Gdiplus::Bitmap* dpiImage_ = nullptr;
  double dpiScale_ = 1.0;
  int resourceId_ = 0;
  int subWidth_ = 0;
  int left_ = 0;
  int top_ = 0;
  int marginLeft_ = 0;
  int marginRight_ = 0;
  int marginTop_ = 0;
  int marginBottom_ = 0;
  int flip_ = 0;
  int flipType_ = 0;
  int middleTile_ = 0;
  int wantImageWidth_ = 0;
  int highQuality_ = 0;
  bool dpiScaling_ = false;  // the current draw scales for DPI
  static constexpr size_t kMaxHighQualityPieces = 64;
  std::map<std::wstring, std::unique_ptr<Gdiplus::Bitmap>> highQualityCache_;
};
