// The painting shortcuts give the pixels of the drawing they replace: texts put back from the
// canvas's text cache.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "uxwin/UxEngine.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
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
  // Each text keeps its rectangle and a pixel round it, inside the canvas, twice.
  EXPECT_LE(canvas.text_cache().entries() * 2 * 400 * 61, UxTextCache::kMaxPixels);
  EXPECT_GT(canvas.text_cache().entries(), 0u);
}
