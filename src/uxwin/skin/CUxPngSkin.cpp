#include "uxwin/skin/CUxPngSkin.h"

#include <algorithm>
#include <cmath>

#include "uxwin/base/UxAttributeTable.h"
#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxPngPool.h"

// Where the frame lies in the image and how large the nine-grid borders are, in source and
// destination pixels.
struct CUxPngSkin::Geometry {
  int srcX, srcY, srcW, srcH;
  int srcLeft, srcRight, srcTop, srcBottom;
  int dstLeft, dstRight, dstTop, dstBottom;
};

CUxPngSkin::CUxPngSkin() = default;
CUxPngSkin::~CUxPngSkin() = default;

int32_t CUxPngSkin::SetAttribute(const char* name, const char* value, bool loading) {
  using Table = UxWin::UxAttributeTable<CUxPngSkin>;
  static const auto* const table =
      new Table{{"name", [](CUxPngSkin&, const char*, bool) { return kOk; }},  // the pool keys the skin by it
                {"src", Table::Integer(&CUxPngSkin::resourceId_)},
                {"subwidth", Table::Integer(&CUxPngSkin::subWidth_)},
                {"left", Table::Integer(&CUxPngSkin::left_)},
                {"top", Table::Integer(&CUxPngSkin::top_)},
                {"margin_left", Table::Integer(&CUxPngSkin::marginLeft_)},
                {"margin_right", Table::Integer(&CUxPngSkin::marginRight_)},
                {"margin_top", Table::Integer(&CUxPngSkin::marginTop_)},
                {"margin_bottom", Table::Integer(&CUxPngSkin::marginBottom_)},
                {"flip", Table::Integer(&CUxPngSkin::flip_)},
                {"fliptype", Table::Integer(&CUxPngSkin::flipType_)},
                {"middle_tile", Table::Integer(&CUxPngSkin::middleTile_)},
                {"wantimgwidth", Table::Integer(&CUxPngSkin::wantImageWidth_)},
                {"high_quality", Table::Integer(&CUxPngSkin::highQuality_)}};
  return table->Apply(*this, name, value, loading);
}

bool CUxPngSkin::LoadImage() {
  const unsigned generation = UxWin::UxDpiContext::Generation();
  if (!loaded_ || dpiGeneration_ != generation) {
    loaded_ = true;
    dpiGeneration_ = generation;
    image_ = UxPngPool::Instance().Get(resourceId_);
    const auto dpi = UxPngPool::Instance().GetDpiImage(resourceId_);
    dpiImage_ = dpi ? dpi->image : nullptr;
    dpiScale_ = dpi ? dpi->scale : 1.0;
  }
  return image_ != nullptr;
}

SIZE CUxPngSkin::GetSkinSize() {
  if (!LoadImage()) return SIZE{0, 0};
  return SIZE{subWidth_ > 0 ? subWidth_ : static_cast<LONG>(image_->GetWidth()), static_cast<LONG>(image_->GetHeight())};
}

void CUxPngSkin::Draw(UxCanvas& canvas, const RECT& rect, int state, bool dpiAware, int alpha) {
  if (!LoadImage() || !canvas.IsValid() || rect.right <= rect.left || rect.bottom <= rect.top) return;
  const double factor = dpiAware ? UxWin::UxDpiContext::Instance().GetScale() : 1.0;
  // A pre-scaled image carries part of the scaling (its own scale); the rest is stretched.
  const bool useDpiImage = dpiAware && dpiImage_;
  Gdiplus::Bitmap& image = useDpiImage ? *dpiImage_ : *image_;
  const double imageScale = useDpiImage ? dpiScale_ : 1.0;
  const auto inImage = [imageScale](int value) { return static_cast<int>(value * imageScale); };
  const auto onScreen = [factor](int value) { return static_cast<int>(value * factor); };

  const int imageWidth = static_cast<int>(image.GetWidth());
  const int frameWidth = subWidth_ > 0 ? inImage(subWidth_) : imageWidth;
  const int frames = std::max(1, frameWidth > 0 ? imageWidth / frameWidth : 1);
  const int frame = state == -1 ? 0 : ((state % frames) + frames) % frames;
  Geometry geometry{frame * frameWidth + inImage(left_), inImage(top_), frameWidth - inImage(left_),
                    static_cast<int>(image.GetHeight()) - inImage(top_),
                    inImage(marginLeft_), inImage(marginRight_), inImage(marginTop_), inImage(marginBottom_),
                    onScreen(marginLeft_), onScreen(marginRight_), onScreen(marginTop_), onScreen(marginBottom_)};
  if (geometry.srcW <= 0 || geometry.srcH <= 0) return;

  const int flipType = flip_ ? 4 : flipType_;  // 4: mirrored horizontally
  static const int kInverse[8] = {0, 3, 2, 1, 4, 5, 6, 7};
  if (flipType > 0 && flipType < 8) image.RotateFlip(static_cast<Gdiplus::RotateFlipType>(flipType));
  dpiScaling_ = factor != 1.0;
  DrawNineGrid(canvas, image, geometry, rect, alpha);
  if (flipType > 0 && flipType < 8) image.RotateFlip(static_cast<Gdiplus::RotateFlipType>(kInverse[flipType]));
}

void CUxPngSkin::DrawNineGrid(UxCanvas& canvas, Gdiplus::Bitmap& image, const Geometry& g, const RECT& rect,
                              int alpha) {
  const int srcXs[4] = {g.srcX, g.srcX + g.srcLeft, g.srcX + g.srcW - g.srcRight, g.srcX + g.srcW};
  const int srcYs[4] = {g.srcY, g.srcY + g.srcTop, g.srcY + g.srcH - g.srcBottom, g.srcY + g.srcH};
  // Corners never overlap: in a rectangle smaller than its borders they share what there is.
  const auto fit = [](int first, int second, LONG extent, int& outFirst, int& outSecond) {
    const int total = first + second;
    if (total <= extent || total <= 0) {
      outFirst = first;
      outSecond = second;
      return;
    }
    outFirst = static_cast<int>(static_cast<long long>(extent) * first / total);
    outSecond = static_cast<int>(extent) - outFirst;
  };
  int dstLeft = 0, dstRight = 0, dstTop = 0, dstBottom = 0;
  fit(g.dstLeft, g.dstRight, rect.right - rect.left, dstLeft, dstRight);
  fit(g.dstTop, g.dstBottom, rect.bottom - rect.top, dstTop, dstBottom);
  const LONG dstXs[4] = {rect.left, rect.left + dstLeft, rect.right - dstRight, rect.right};
  const LONG dstYs[4] = {rect.top, rect.top + dstTop, rect.bottom - dstBottom, rect.bottom};
  for (int row = 0; row < 3; ++row) {
    for (int column = 0; column < 3; ++column) {
      const int srcW = srcXs[column + 1] - srcXs[column];
      const int srcH = srcYs[row + 1] - srcYs[row];
      const RECT destination{dstXs[column], dstYs[row], dstXs[column + 1], dstYs[row + 1]};
      if (srcW <= 0 || srcH <= 0 || destination.right <= destination.left || destination.bottom <= destination.top) {
        continue;  // a zero margin removes its row or column
      }
      if (row == 1 && column == 1 && middleTile_) {
        for (LONG x = destination.left; x < destination.right; x += srcW) {
          const RECT tile{x, destination.top, std::min<LONG>(x + srcW, destination.right), destination.bottom};
          DrawPiece(canvas, image, tile, srcXs[1], srcYs[1], static_cast<int>(tile.right - tile.left), srcH, alpha);
        }
        continue;
      }
      DrawPiece(canvas, image, destination, srcXs[column], srcYs[row], srcW, srcH, alpha);
    }
  }
}

void CUxPngSkin::DrawPiece(UxCanvas& canvas, Gdiplus::Bitmap& image, const RECT& destination, int srcX, int srcY,
                           int srcW, int srcH, int alpha) {
  const int width = static_cast<int>(destination.right - destination.left);
  const int height = static_cast<int>(destination.bottom - destination.top);
  Gdiplus::Graphics& graphics = canvas.graphics();
  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);  // no faded edges where pieces meet
  if (alpha < 255) {
    Gdiplus::ColorMatrix matrix = {{{1, 0, 0, 0, 0}, {0, 1, 0, 0, 0}, {0, 0, 1, 0, 0},
                                    {0, 0, 0, std::max(0, alpha) / 255.0f, 0}, {0, 0, 0, 0, 1}}};
    attributes.SetColorMatrix(&matrix);
  }
  Gdiplus::Bitmap* source = &image;
  std::unique_ptr<Gdiplus::Bitmap> piece;
  if (highQuality_ && dpiScaling_ && (width != srcW || height != srcH)) {
    source = HighQualityPiece(image, srcX, srcY, srcW, srcH, width, height);
    if (!source) return;
    srcX = srcY = 0;
    srcW = width;
    srcH = height;
  } else if (width != srcW || height != srcH) {
    // Stretched on its own, so interpolation at its borders never reaches into the neighbouring piece.
    piece.reset(image.Clone(srcX, srcY, srcW, srcH, PixelFormat32bppARGB));
    if (!piece) return;
    source = piece.get();
    srcX = srcY = 0;
  }
  graphics.SetInterpolationMode(width == srcW && height == srcH ? Gdiplus::InterpolationModeNearestNeighbor
                                                                : Gdiplus::InterpolationModeBilinear);
  graphics.DrawImage(source, Gdiplus::Rect(destination.left, destination.top, width, height), srcX, srcY, srcW, srcH,
                     Gdiplus::UnitPixel, &attributes);
}

Gdiplus::Bitmap* CUxPngSkin::HighQualityPiece(Gdiplus::Bitmap& image, int srcX, int srcY, int srcW, int srcH,
                                              int width, int height) {
  wchar_t key[128];
  swprintf(key, 128, L"%lld_%d_%d_%d_%d_%d_%d", static_cast<long long>(reinterpret_cast<intptr_t>(&image)), srcX, srcY,
           srcW, srcH, width, height);
  // Sizes change with layouts; keep the cache from growing without end.
  if (highQualityCache_.size() >= kMaxHighQualityPieces && !highQualityCache_.count(key)) highQualityCache_.clear();
  auto& cached = highQualityCache_[key];
  if (!cached) {
    cached = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
    Gdiplus::Graphics scaler(cached.get());
    scaler.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBilinear);
    scaler.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::ImageAttributes attributes;
    attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    scaler.DrawImage(&image, Gdiplus::Rect(0, 0, width, height), srcX, srcY, srcW, srcH, Gdiplus::UnitPixel,
                     &attributes);
  }
  return cached.get();
}
