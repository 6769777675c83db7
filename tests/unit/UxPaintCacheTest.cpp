// The painting shortcuts give the pixels of the drawing they replace: texts put back from the
// canvas's text cache, and pictures copied where they are opaque or clear.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "uxwin/UxEngine.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxComposedPictures.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxPictureBlit.h"
#include "uxwin/skin/UxScaledPictures.h"
#include "uxwin/style/UxFontPool.h"
#include "uxwin/style/UxStyleRegistry.h"
#include "uxwin/style/UxTextCache.h"
#include "uxwin/style/UxTextPainter.h"

namespace {

constexpr int kWidth = 120, kHeight = 60;

// Premultiplied pixels of every alpha, seed choosing the pattern.
void FillPattern(UxCanvas& canvas, int seed) {
  GdiFlush();
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const uint32_t alpha = (x * 7 + y * 13 + seed * 31) % 256 | ((x + seed) % 9 == 0 ? 0xFF : 0);
      const uint32_t red = alpha * ((x * 5 + seed) % 256) / 255, green = alpha * ((y * 3) % 256) / 255;
      canvas.bits()[y * canvas.width() + x] = alpha << 24 | red << 16 | green << 8 | (alpha / 2);
    }
  }
}

std::vector<uint32_t> Pixels(const UxCanvas& canvas) {
  GdiFlush();
  return std::vector<uint32_t>(canvas.bits(), canvas.bits() + canvas.width() * canvas.height());
}

size_t Differ(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
  size_t count = a.size() == b.size() ? 0 : 1;
  for (size_t i = 0; i < std::min(a.size(), b.size()); ++i) count += a[i] != b[i];
  return count;
}

class PaintCache : public testing::Test {
 protected:
  void SetUp() override { UxEngine::SetUpOnce(); }

  static UxTextRequest Text(const wchar_t* text, const RECT& rect, const char* style = "count_down_hint") {
    UxTextRequest request;
    request.text = text;
    request.windowRect = rect;
    request.style = &UxStyleRegistry::Instance().GetStyle(style);
    request.font = UxFontPool::Instance().GetFont(request.style->font, false);
    request.colour = request.style->crText;
    return request;
  }
};

// A picture with opaque, clear and partly clear pixels, in tiles of each kind and mixed.
std::unique_ptr<Gdiplus::Bitmap> MixedPicture(int width, int height) {
  auto picture = std::make_unique<Gdiplus::Bitmap>(width, height, PixelFormat32bppARGB);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      BYTE alpha = 255;
      if (x >= 32 && x < 48) alpha = 0;                         // a clear column of tiles
      if (y >= 32 && (x + y) % 5 == 0) alpha = (x * 11) % 256;  // partly clear pixels below
      if (x < 16 && y < 16 && (x + y) % 2) alpha = 0;           // a tile of opaque and clear pixels
      picture->SetPixel(x, y, Gdiplus::Color(alpha, (x * 9) % 256, (y * 7) % 256, 200));
    }
  }
  return picture;
}

// A clip of two rectangles across the canvas.
HRGN TwoRectangles() {
  HRGN region = CreateRectRgn(0, 10, 50, 22);
  HRGN second = CreateRectRgn(60, 0, 70, kHeight);
  CombineRgn(region, region, second, RGN_OR);
  DeleteObject(second);
  return region;
}

void Stretch(Gdiplus::Graphics& graphics, Gdiplus::Bitmap& picture, Gdiplus::InterpolationMode mode, const RECT& to) {
  graphics.SetInterpolationMode(mode);
  graphics.DrawImage(&picture, Gdiplus::Rect(to.left, to.top, to.right - to.left, to.bottom - to.top), 0, 0,
                     static_cast<INT>(picture.GetWidth()), static_cast<INT>(picture.GetHeight()), Gdiplus::UnitPixel);
}

void DrawWithGdiplus(UxCanvas& canvas, Gdiplus::Bitmap& picture, const RECT& at, POINT source, const RECT& part) {
  canvas.graphics().DrawImage(&picture,
                              Gdiplus::Rect(part.left, part.top, part.right - part.left, part.bottom - part.top),
                              source.x + (part.left - at.left), source.y + (part.top - at.top), part.right - part.left,
                              part.bottom - part.top, Gdiplus::UnitPixel);
}

}  // namespace

TEST_F(PaintCache, TextDrawsNothingOutsideItsRectangleAndABleedOfOnePixel) {
  UxCanvas canvas(kWidth, kHeight);
  FillPattern(canvas, 1);
  const std::vector<uint32_t> before = Pixels(canvas);
  const RECT rect{30, 20, 70, 40};  // narrower than the text: it is cut at the rectangle
  UxTextPainter::Draw(canvas,
                      Text(L"\u6bcf\u6708\u4ec5\u9700"
                           L"6.6\u5143",
                           rect, "per_month"),
                      UxFontPool::Instance());
  const std::vector<uint32_t> after = Pixels(canvas);
  size_t changed = 0, outside = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (before[y * kWidth + x] == after[y * kWidth + x]) continue;
      ++changed;
      outside += x < rect.left - 1 || x >= rect.right + 1 || y < rect.top - 1 || y >= rect.bottom + 1;
    }
  }
  EXPECT_GT(changed, 20u);
  EXPECT_EQ(outside, 0u);
}

TEST_F(PaintCache, TextPutBackEqualsTextDrawn) {
  const RECT rect{40, 10, 76, 30};
  UxCanvas cached(kWidth, kHeight), drawn(kWidth, kHeight);
  FillPattern(cached, 2);
  UxTextPainter::Draw(cached, Text(L"59", rect, "count_down"), UxFontPool::Instance());
  FillPattern(cached, 2);
  UxTextPainter::Draw(cached, Text(L"59", rect, "count_down"), UxFontPool::Instance());
  EXPECT_EQ(cached.text_cache().hits(), 1u);
  FillPattern(drawn, 2);
  UxTextPainter::Draw(drawn, Text(L"59", rect, "count_down"), UxFontPool::Instance());
  EXPECT_EQ(drawn.text_cache().hits(), 0u);
  EXPECT_EQ(Differ(Pixels(cached), Pixels(drawn)), 0u);
}

TEST_F(PaintCache, TextUnderAClipIsPutBackOnlyInsideIt) {
  const RECT rect{40, 10, 76, 30};
  const RECT strips[] = {{30, 0, 50, kHeight}, {60, 15, 90, 22}};
  UxCanvas cached(kWidth, kHeight), drawn(kWidth, kHeight);
  FillPattern(cached, 3);
  UxTextPainter::Draw(cached, Text(L"\u79d2", rect), UxFontPool::Instance());
  FillPattern(cached, 3);
  FillPattern(drawn, 3);
  HRGN region = CreateRectRgnIndirect(&strips[0]);
  HRGN second = CreateRectRgnIndirect(&strips[1]);
  CombineRgn(region, region, second, RGN_OR);
  {
    UxCanvasClip clip(cached, region);
    UxTextPainter::Draw(cached, Text(L"\u79d2", rect), UxFontPool::Instance());
  }
  {
    UxCanvasClip clip(drawn, region);
    UxTextPainter::Draw(drawn, Text(L"\u79d2", rect), UxFontPool::Instance());
  }
  DeleteObject(second);
  DeleteObject(region);
  EXPECT_EQ(cached.text_cache().hits(), 1u);
  EXPECT_EQ(Differ(Pixels(cached), Pixels(drawn)), 0u);
}

TEST_F(PaintCache, TextOverOtherPixelsOrWithOtherWordsIsDrawnAgain) {
  const RECT rect{40, 10, 76, 30};
  UxCanvas cached(kWidth, kHeight), drawn(kWidth, kHeight);
  FillPattern(cached, 4);
  UxTextPainter::Draw(cached, Text(L"58", rect, "count_down"), UxFontPool::Instance());
  FillPattern(cached, 5);  // another background under the same text
  UxTextPainter::Draw(cached, Text(L"58", rect, "count_down"), UxFontPool::Instance());
  FillPattern(cached, 5);
  UxTextPainter::Draw(cached, Text(L"57", rect, "count_down"), UxFontPool::Instance());
  EXPECT_EQ(cached.text_cache().hits(), 0u);
  EXPECT_EQ(cached.text_cache().misses(), 3u);
  FillPattern(drawn, 5);
  UxTextPainter::Draw(drawn, Text(L"57", rect, "count_down"), UxFontPool::Instance());
  EXPECT_EQ(Differ(Pixels(cached), Pixels(drawn)), 0u);
}

TEST_F(PaintCache, CacheKeepsWithinItsBound) {
  UxCanvas canvas(400, 200);
  for (int i = 0; i < 200; ++i) {
    UxTextPainter::Draw(canvas, Text(std::to_wstring(i).c_str(), RECT{0, 0, 400, 60}, "count_down"),
                        UxFontPool::Instance());
  }
  EXPECT_LE(canvas.text_cache().pixels(), UxTextCache::kMaxPixels);
  EXPECT_GT(canvas.text_cache().entries(), 0u);
}

TEST_F(PaintCache, SixtySecondsOverOneBackgroundAreAllKeptAndPutBack) {
  const RECT rect{40, 10, 76, 30};
  UxCanvas canvas(kWidth, kHeight);
  const auto tick = [&](int second) {
    FillPattern(canvas, 9);
    const std::wstring text = (second < 10 ? L"0" : L"") + std::to_wstring(second);
    UxCanvasClip clip(canvas, rect);
    UxTextPainter::Draw(canvas, Text(text.c_str(), rect, "count_down"), UxFontPool::Instance());
  };
  for (int second = 59; second >= 0; --second) tick(second);
  EXPECT_EQ(canvas.text_cache().entries(), 60u);
  EXPECT_EQ(canvas.text_cache().pixels(), 61u * 36 * 20) << "one copy of the background for all";
  for (int second = 59; second >= 0; --second) tick(second);
  EXPECT_EQ(canvas.text_cache().hits(), 60u);
}

TEST_F(PaintCache, PictureCopyEqualsGdiplusDrawing) {
  const auto picture = MixedPicture(64, 48);
  const RECT at{20, 6, 20 + 56, 6 + 40};
  const POINT source{4, 5};
  for (const int seed : {6, 7}) {
    UxCanvas copied(kWidth, kHeight), drawn(kWidth, kHeight);
    FillPattern(copied, seed);
    FillPattern(drawn, seed);
    UxPictureBlit::Draw(copied, *picture, at, source);
    DrawWithGdiplus(drawn, *picture, at, source, at);
    EXPECT_EQ(Differ(Pixels(copied), Pixels(drawn)), 0u) << "seed " << seed;
  }
}

TEST_F(PaintCache, PictureCopyKeepsToTheClip) {
  const auto picture = MixedPicture(64, 48);
  const RECT at{10, 4, 74, 52};
  const POINT source{0, 0};
  UxCanvas copied(kWidth, kHeight), drawn(kWidth, kHeight);
  FillPattern(copied, 8);
  FillPattern(drawn, 8);
  HRGN region = CreateRectRgn(0, 20, 40, 30);
  HRGN second = CreateRectRgn(50, 0, 60, kHeight);
  CombineRgn(region, region, second, RGN_OR);
  {
    UxCanvasClip clip(copied, region);
    UxPictureBlit::Draw(copied, *picture, at, source);
  }
  {
    UxCanvasClip clip(drawn, region);
    DrawWithGdiplus(drawn, *picture, at, source, at);
  }
  DeleteObject(second);
  DeleteObject(region);
  EXPECT_EQ(Differ(Pixels(copied), Pixels(drawn)), 0u);
}

// A stretch drawn from its stretched copy gives GDI+'s own stretch: over a clear canvas (copied
// whole), over pixels already drawn (its partly clear pixels are the stretch, narrowed), under a
// clip of several rectangles, at odd and even places and past the canvas's corner. The copy is made
// once per picture and place.
TEST_F(PaintCache, StretchFromItsCopyEqualsGdiplusStretch) {
  std::shared_ptr<Gdiplus::Bitmap> picture = MixedPicture(64, 48);
  RECT at{7, 3, 7 + 77, 3 + 54};
  const auto stretch = [&](Gdiplus::Graphics& graphics, const RECT& to) {
    Stretch(graphics, *picture, Gdiplus::InterpolationModeBilinear, to);
  };
  UxScaledPictures& copies = UxScaledPictures::Instance();
  copies.Clear();
  const size_t madeBefore = copies.made();
  HRGN region = TwoRectangles();
  for (const int seed : {-1, 6}) {  // -1: a clear canvas
    for (const bool clipped : {false, true}) {
      OffsetRect(&at, 1, 1);  // GDI+'s sampling and edges depend on where on the canvas
      UxCanvas copied(kWidth, kHeight), drawn(kWidth, kHeight);
      if (seed >= 0) FillPattern(copied, seed), FillPattern(drawn, seed);
      {
        std::unique_ptr<UxCanvasClip> clip(clipped ? new UxCanvasClip(copied, region) : nullptr);
        copies.Draw(copied, picture, L"test", at, stretch);
      }
      {
        std::unique_ptr<UxCanvasClip> clip(clipped ? new UxCanvasClip(drawn, region) : nullptr);
        stretch(drawn.graphics(), at);
      }
      EXPECT_EQ(Differ(Pixels(copied), Pixels(drawn)), 0u) << "seed " << seed << (clipped ? ", clipped" : "");
    }
  }
  DeleteObject(region);
  {
    const RECT across{kWidth - 40, kHeight - 30, kWidth + 21, kHeight + 11};  // past the canvas's corner
    UxCanvas copied(kWidth, kHeight), drawn(kWidth, kHeight);
    FillPattern(copied, 9);
    FillPattern(drawn, 9);
    copies.Draw(copied, picture, L"test", across, stretch);
    stretch(drawn.graphics(), across);
    EXPECT_EQ(Differ(Pixels(copied), Pixels(drawn)), 0u) << "past the canvas's corner";
  }
  EXPECT_EQ(copies.made() - madeBefore, 5u) << "one copy for one picture at one place";
  UxCanvas again(kWidth, kHeight);
  copies.Draw(again, picture, L"test", at, stretch);
  EXPECT_EQ(copies.made() - madeBefore, 5u);
  picture = MixedPicture(64, 48);  // another picture, perhaps where the last one was
  UxCanvas canvas(kWidth, kHeight);
  copies.Draw(canvas, picture, L"test", at, stretch);
  EXPECT_EQ(copies.made() - madeBefore, 6u) << "a new picture is stretched again";
}

// A stretch whose partly clear pixels blend into what lies under it (the buttons) is put back only
// over the pixels it met, and then gives GDI+'s own pixels, also where a clip lets part of it through.
TEST_F(PaintCache, StretchPutBackOverThePixelsItMetEqualsGdiplusStretch) {
  std::shared_ptr<Gdiplus::Bitmap> picture = MixedPicture(64, 48);
  const RECT at{9, 5, 9 + 77, 5 + 54};
  const auto stretch = [&](Gdiplus::Graphics& graphics) {
    Stretch(graphics, *picture, Gdiplus::InterpolationModeHighQualityBicubic, at);
  };
  UxComposedPictures& composed = UxComposedPictures::Instance();
  composed.Clear();
  const size_t hitsBefore = composed.hits();
  HRGN region = TwoRectangles();
  // 6 is met first, then again; 7 is other pixels under the same picture at the same place.
  for (const int seed : {6, 6, 7}) {
    for (const bool clipped : {false, true}) {
      UxCanvas put(kWidth, kHeight), drawn(kWidth, kHeight);
      FillPattern(put, seed);
      FillPattern(drawn, seed);
      {
        std::unique_ptr<UxCanvasClip> clip(clipped ? new UxCanvasClip(put, region) : nullptr);
        composed.Draw(put, picture, L"test", at, [&] { stretch(put.graphics()); });
      }
      {
        std::unique_ptr<UxCanvasClip> clip(clipped ? new UxCanvasClip(drawn, region) : nullptr);
        stretch(drawn.graphics());
      }
      EXPECT_EQ(Differ(Pixels(put), Pixels(drawn)), 0u) << "seed " << seed << (clipped ? ", clipped" : "");
    }
  }
  DeleteObject(region);
  EXPECT_EQ(composed.hits() - hitsBefore, 4u) << "all but the first drawing over 6 and over 7";
  picture.reset();
  picture = MixedPicture(64, 48);  // another picture, perhaps where the last one was
  UxCanvas canvas(kWidth, kHeight);
  FillPattern(canvas, 7);
  composed.Draw(canvas, picture, L"test", at, [&] { stretch(canvas.graphics()); });
  EXPECT_EQ(composed.hits() - hitsBefore, 4u) << "a new picture is drawn again";
}
