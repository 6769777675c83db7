#include <gtest/gtest.h>

#include <set>

#include "uxwin/skin/UxCanvas.h"
#include "uxwin/style/UxFontPool.h"
#include "uxwin/style/UxStyle.h"
#include "uxwin/style/UxTextPainter.h"

namespace {

UxFontPool& YaHeiPool() {
  static UxFontPool pool([](const std::wstring& value) { return value == L"Microsoft YaHei (TrueType)"; });
  return pool;
}

struct Coverage {
  int pixels = 0;
  int maxAlpha = 0;
};

Coverage Measure(const UxCanvas& canvas) {
  Coverage coverage;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const int alpha = static_cast<int>(canvas.Pixel(x, y) >> 24);
      if (alpha) ++coverage.pixels;
      coverage.maxAlpha = std::max(coverage.maxAlpha, alpha);
    }
  }
  return coverage;
}

}  // namespace

TEST(UxFonts, BaseFaceFollowsTheInstalledFonts) {
  const auto none = [](const std::wstring&) { return false; };
  EXPECT_EQ(UxFontPool::ChooseFace(none), L"\u5b8b\u4f53");
  EXPECT_EQ(UxFontPool::ChooseFace([](const std::wstring& v) { return v == L"SimSun & NSimSun (TrueType)"; }), L"SimSun");
  EXPECT_EQ(UxFontPool::ChooseFace([](const std::wstring&) { return true; }), L"\u5fae\u8f6f\u96c5\u9ed1");
  EXPECT_EQ(YaHeiPool().GetDefaultFaceName(), L"Microsoft YaHei");
  EXPECT_TRUE(YaHeiPool().IsYaHei());
  EXPECT_EQ(YaHeiPool().base().lfQuality, CLEARTYPE_QUALITY);
  UxFontPool song(none);
  EXPECT_EQ(song.base().lfQuality, ANTIALIASED_QUALITY);
}

TEST(UxFonts, ReleasedFontsAreGoneAndComeBackOnTheNextAsk) {
  UxFontPool pool([](const std::wstring&) { return false; });
  const HFONT base = pool.GetFont(0, false);
  const HFONT bold = pool.GetFont(0x0404, false);
  ASSERT_NE(GetObjectType(base), 0u);
  ASSERT_NE(GetObjectType(bold), 0u);
  pool.ReleaseFonts();
  EXPECT_EQ(GetObjectType(base), 0u);
  EXPECT_EQ(GetObjectType(bold), 0u);
  LOGFONTW font{};
  ASSERT_TRUE(GetObjectW(pool.GetFont(0, false), sizeof(font), &font));
  EXPECT_EQ(font.lfHeight, UxFontPool::kBaseHeight);
  EXPECT_EQ(font.lfWeight, FW_NORMAL);
}

TEST(UxFonts, CodesGiveWeightStyleAndHeight) {
  const std::pair<uint16_t, int> heights[] = {{0x0000, -12}, {0x0204, -14}, {0x1C04, -40}, {0x0904, -21},
                                              {0x0404, -16}, {0x0A04, -22}, {0x0C04, -24}, {0xFE00, -10}};
  for (const auto& [code, height] : heights) EXPECT_EQ(UxFontPool::HeightFor(code, 1.0), height) << code;
  EXPECT_EQ(UxFontPool::HeightFor(0x0204, 1.5), -21);
  HFONT bold = YaHeiPool().GetFont(0x0207, false);
  EXPECT_EQ(YaHeiPool().GetFont(0x0207, false), bold) << "cached";
  LOGFONTW font{};
  ASSERT_TRUE(GetObjectW(bold, sizeof(font), &font));
  EXPECT_EQ(font.lfHeight, -14);
  EXPECT_EQ(font.lfWeight, FW_BOLD);
  EXPECT_TRUE(font.lfItalic);
  EXPECT_TRUE(font.lfUnderline);
  EXPECT_EQ(std::wstring(font.lfFaceName), L"Microsoft YaHei");
}

TEST(UxText, GdiplusTextIsDrawnWithAlpha254AndCjkGlyphsRender) {
  UxStyle style;
  style.gdiplus = 1;
  style.textMode = 0x25;
  UxTextRequest request;
  request.text = L"\u4e2d\u6587\u6d4b\u8bd5";
  request.windowRect = RECT{0, 0, 200, 60};
  request.style = &style;
  request.font = YaHeiPool().GetFont(0x1C04, false);
  request.colour = RGB(0, 0, 0);
  EXPECT_EQ(UxTextPainter::TextAlpha(request), 254);
  UxCanvas canvas(200, 60);
  UxTextPainter::Draw(canvas, request, YaHeiPool());
  const Coverage coverage = Measure(canvas);
  EXPECT_GT(coverage.pixels, 100) << "CJK glyphs render";
  EXPECT_EQ(coverage.maxAlpha, 254);

  request.controlAlpha = 128;
  UxCanvas half(200, 60);
  UxTextPainter::Draw(half, request, YaHeiPool());
  EXPECT_EQ(Measure(half).maxAlpha, 128);
}

TEST(UxText, GdiTextMakesTheGlyphPixelsOpaque) {
  UxStyle style;
  style.textMode = 0x25;
  UxTextRequest request{L"Wystan", RECT{0, 0, 120, 40}, &style, YaHeiPool().GetFont(0x0404, false), RGB(255, 0, 0)};
  UxCanvas canvas(120, 40);
  UxTextPainter::Draw(canvas, request, YaHeiPool());
  const Coverage coverage = Measure(canvas);
  EXPECT_GT(coverage.pixels, 20);
  EXPECT_EQ(coverage.maxAlpha, 255);
  request.text.clear();
  UxCanvas empty(120, 40);
  UxTextPainter::Draw(empty, request, YaHeiPool());
  EXPECT_EQ(Measure(empty).pixels, 0);
}

TEST(UxText, LargeFontsOfAYaHeiBaseMoveUp) {
  UxStyle style;  // DT_SINGLELINE | DT_BOTTOM
  UxTextRequest request{L"x", RECT{0, 0, 100, 50}, &style, YaHeiPool().GetFont(0x0904, false), 0};
  const RECT moved = UxTextPainter::TextRect(request, YaHeiPool());
  EXPECT_EQ(moved.top, -(2 * 9 + 2)) << "d = -12 - (-21) = 9";
  style.textMode = DT_SINGLELINE | DT_VCENTER;
  EXPECT_EQ(UxTextPainter::TextRect(request, YaHeiPool()).top, 0) << "centred text stays";
  style.yhResizeDisable = 1;
  style.textMode = 0x28;
  style.xMargin = 4;
  EXPECT_EQ(UxTextPainter::TextRect(request, YaHeiPool()).left, 4);
  EXPECT_EQ(UxTextPainter::TextRect(request, YaHeiPool()).top, 0);
}
