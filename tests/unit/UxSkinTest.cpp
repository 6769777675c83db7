#include <gtest/gtest.h>

#include "TestFiles.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/skin/UxPngPool.h"
#include "uxwin/skin/UxResourceLoader.h"
#include "uxwin/skin/UxSkinPool.h"

namespace {

constexpr int kStripId = 7001;  // 30x10: red, green and blue frames of 10x10
constexpr int kGarbageId = 7002;

uint32_t Premultiplied(const Gdiplus::Color& c) {
  const auto scale = [&c](BYTE v) { return static_cast<uint32_t>((v * c.GetAlpha() + 127) / 255); };
  return static_cast<uint32_t>(c.GetAlpha()) << 24 | scale(c.GetRed()) << 16 | scale(c.GetGreen()) << 8 |
         scale(c.GetBlue());
}

bool Near(uint32_t a, uint32_t b, int tolerance = 1) {
  for (int shift = 0; shift < 32; shift += 8) {
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance) {
      return false;
    }
  }
  return true;
}

std::string EncodePng(Gdiplus::Bitmap& bitmap) {
  const std::wstring path = testing_support::ExecutableFolder() + L"strip-" + std::to_wstring(GetCurrentProcessId());
  CLSID png{};
  if (!UxGdiplus::EncoderClsid(L"image/png", png)) return {};
  bitmap.Save(path.c_str(), &png, nullptr);
  std::string bytes = testing_support::ReadBytes(path);
  DeleteFileW(path.c_str());
  return bytes;
}

class UxSkins : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    UxGdiplus::Start();
    Gdiplus::Bitmap strip(30, 10, PixelFormat32bppARGB);
    const Gdiplus::Color colours[] = {Gdiplus::Color(255, 255, 0, 0), Gdiplus::Color(255, 0, 255, 0),
                                      Gdiplus::Color(255, 0, 0, 255)};
    for (int x = 0; x < 30; ++x) {
      for (int y = 0; y < 10; ++y) strip.SetPixel(x, y, x == 0 && y == 0 ? Gdiplus::Color(255, 255, 255, 0) : colours[x / 10]);
    }
    UxResourceLoader::Instance().AddToMemory(kStripId, L"png", EncodePng(strip));
    UxResourceLoader::Instance().AddToMemory(kGarbageId, L"png", "not an image");
  }

  UxSkinPool pool;
};

}  // namespace

TEST_F(UxSkins, PngWithoutSubwidthDrawsTheWholeImageForEveryState) {
  ASSERT_TRUE(pool.LoadDocument("<skins><png name=\"plain\" src=\"7001\"/></skins>"));
  CUxSkinBase* skin = pool.GetSkin("plain");
  ASSERT_NE(skin, nullptr);
  EXPECT_TRUE(skin->IgnoreState());
  EXPECT_EQ(skin->GetSkinSize().cx, 30);
  for (int state : {0, 1, 2, 7}) {
    UxCanvas canvas(30, 10);
    skin->Draw(canvas, RECT{0, 0, 30, 10}, state, false, 255);
    EXPECT_EQ(canvas.Pixel(5, 5), 0xFFFF0000u) << state;
    EXPECT_EQ(canvas.Pixel(15, 5), 0xFF00FF00u) << state;
    EXPECT_EQ(canvas.Pixel(25, 5), 0xFF0000FFu) << state;
  }
}

TEST_F(UxSkins, StateSelectsTheFrameModuloTheFrameCount) {
  ASSERT_TRUE(pool.LoadDocument("<skins><png name=\"strip\" src=\"7001\" subwidth=\"10\"/>"
                                "<png name=\"strip\" src=\"2001\"/>"
                                "<png name=\"mirrored\" src=\"7001\" subwidth=\"10\" flip=\"1\"/></skins>"));
  CUxSkinBase* skin = pool.GetSkin("strip");
  ASSERT_NE(skin, nullptr);
  EXPECT_EQ(skin->GetSkinSize().cx, 10) << "the first definition of a name is kept";
  UxCanvas canvas(10, 10);
  skin->Draw(canvas, RECT{0, 0, 10, 10}, 4, false, 255);
  EXPECT_EQ(canvas.Pixel(5, 5), 0xFF00FF00u) << "4 mod 3 is frame 1";
  skin->Draw(canvas, RECT{0, 0, 10, 10}, -1, false, 255);
  EXPECT_EQ(canvas.Pixel(5, 5), 0xFFFF0000u);
  EXPECT_EQ(canvas.Pixel(0, 0), 0xFFFFFF00u);
  // Mirrored, the strip reads blue, green, red: frame 0 is blue.
  UxCanvas mirrored(10, 10);
  pool.GetSkin("mirrored")->Draw(mirrored, RECT{0, 0, 10, 10}, 0, false, 255);
  EXPECT_EQ(mirrored.Pixel(5, 5), 0xFF0000FFu);
  // The shared image is back the right way round afterwards.
  skin->Draw(canvas, RECT{0, 0, 10, 10}, 0, false, 255);
  EXPECT_EQ(canvas.Pixel(0, 0), 0xFFFFFF00u);
}

TEST_F(UxSkins, CountDownBadgeAtFactorOneIsAOneToOneCopy) {
  ASSERT_TRUE(pool.LoadDocument("<skins><png name=\"count_down_bg_red\" src=\"2001\"/></skins>"));
  UxCanvas canvas(24, 20);
  pool.GetSkin("count_down_bg_red")->Draw(canvas, RECT{0, 0, 24, 20}, 0, true, 255);
  Gdiplus::Bitmap* source = UxPngPool::Instance().Get(2001);
  ASSERT_NE(source, nullptr);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 24; ++x) {
      Gdiplus::Color colour;
      source->GetPixel(x, y, &colour);
      ASSERT_TRUE(Near(canvas.Pixel(x, y), Premultiplied(colour))) << x << "," << y;
    }
  }
}

TEST_F(UxSkins, NineGridKeepsCornersAndStretchesTheCentre) {
  ASSERT_TRUE(pool.LoadDocument("<skins><png name=\"shadow\" src=\"2000\" margin_left=\"30\" margin_right=\"30\" "
                                "margin_top=\"30\" margin_bottom=\"30\"/></skins>"));
  UxCanvas canvas(400, 300);
  pool.GetSkin("shadow")->Draw(canvas, RECT{0, 0, 400, 300}, 0, false, 255);
  Gdiplus::Bitmap* source = UxPngPool::Instance().Get(2000);
  ASSERT_NE(source, nullptr);
  const auto sourcePixel = [source](int x, int y) {
    Gdiplus::Color colour;
    source->GetPixel(x, y, &colour);
    return Premultiplied(colour);
  };
  for (int i : {0, 5, 12, 29}) {
    EXPECT_TRUE(Near(canvas.Pixel(i, i), sourcePixel(i, i))) << i;
    EXPECT_TRUE(Near(canvas.Pixel(399 - i, 299 - i), sourcePixel(255 - i, 255 - i))) << i;
  }
  EXPECT_TRUE(Near(canvas.Pixel(200, 150), sourcePixel(128, 128)));
  EXPECT_TRUE(Near(canvas.Pixel(200, 3), sourcePixel(128, 3))) << "edges stretch along their length only";
  for (int x : {30, 31, 368, 369}) {
    EXPECT_TRUE(Near(canvas.Pixel(x, 150), canvas.Pixel(200, 150), 2)) << "no seam where pieces meet, x " << x;
  }
  CreateDirectoryW((testing_support::ExecutableFolder() + L"artifacts").c_str(), nullptr);
  canvas.SavePng(testing_support::ExecutableFolder() + L"artifacts\\shadow-400x300.png");
}

TEST_F(UxSkins, MissingOrUndecodableImagesDrawNothing) {
  ASSERT_TRUE(pool.LoadDocument("<skins><png name=\"garbage\" src=\"7002\"/><png name=\"missing\" src=\"9\"/>"
                                "<gradation name=\"unsupported\"/><png src=\"2001\"/></skins>"));
  for (const char* name : {"garbage", "missing"}) {
    CUxSkinBase* skin = pool.GetSkin(name);
    ASSERT_NE(skin, nullptr);
    EXPECT_EQ(skin->GetSkinSize().cx, 0);
    EXPECT_EQ(skin->GetSkinSize().cy, 0);
    UxCanvas canvas(10, 10);
    skin->Draw(canvas, RECT{0, 0, 10, 10}, 0, false, 255);
    EXPECT_EQ(canvas.Pixel(5, 5), 0u);
  }
  EXPECT_EQ(pool.GetSkin("unsupported"), nullptr);
  EXPECT_FALSE(pool.LoadDocument("garbage <<<"));
  EXPECT_FALSE(pool.LoadDocument("<style><png name=\"x\" src=\"2001\"/></style>"));
  EXPECT_EQ(pool.GetSkin("x"), nullptr);
}
