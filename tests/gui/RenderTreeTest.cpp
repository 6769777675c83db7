// Renders a small control tree into the off-screen canvas and checks its pixels, at factor 1.0 and,
// with --scaled, at 1.5 (debug DPI 144). The PNGs go to artifacts\ beside the test program.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "UxTreeBuilder.h"
#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/object/CUxDialog.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxResourceLoader.h"
#include "uxwin/skin/UxSkinPool.h"
#include "uxwin/style/UxStyleRegistry.h"

using testing_support::AddLoaded;

namespace {

double g_factor = 1.0;

int Scaled(int value) { return static_cast<int>(value * g_factor); }

class RenderTree : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string bytes;
    ASSERT_TRUE(UxResourceLoader::Instance().Load(L"xml", 60000, bytes));
    ASSERT_TRUE(UxSkinPool::Instance().LoadDocument(bytes));
    ASSERT_TRUE(UxStyleRegistry::Instance().LoadDocument(
        "<style><class name=\"badge\" skin=\"count_down_bg_red\"/>"
        "<class name=\"title\" gdiplus=\"1\" textmode=\"25\" crtext=\"FF3A1C\" font=\"0904\"/></style>"));
  }
};

uint32_t Rgb(uint32_t pixel) { return pixel & 0x00FFFFFFu; }

}  // namespace

TEST_F(RenderTree, DialogWithImageTextAndHiddenChild) {
  const int width = Scaled(200);
  const int height = Scaled(120);
  tinyxml2::XMLDocument doc;
  doc.Parse("<dlg crbg=\"FFFFFF\"/>");
  CUxDialog dialog;
  dialog.set_dpi_aware(true);
  dialog.Load(doc.RootElement());
  dialog.set_rect(RECT{0, 0, width, height});
  auto* badge = AddLoaded<CUxWindow>(dialog, "<wnd class=\"badge\" pos=\"10,10,w24,h20\"/>");
  auto* title = AddLoaded<CUxWindow>(dialog, "<wnd class=\"title\" pos=\"40,40,-10,-10\">\xe6\x96\xb0\xe7\x94\xa8\xe6\x88\xb7</wnd>");
  auto* hidden = AddLoaded<CUxWindow>(dialog, "<wnd pos=\"0,0,-0,-0\" crbg=\"0000FF\" show=\"0\"/>");
  EXPECT_EQ(badge->rect().right - badge->rect().left, Scaled(24));
  EXPECT_FALSE(hidden->IsVisible(true));

  UxCanvas canvas(width, height);
  dialog.RedrawRegion(canvas, nullptr);
  CreateDirectoryW((testing_support::ExecutableFolder() + L"artifacts").c_str(), nullptr);
  canvas.SavePng(testing_support::ExecutableFolder() + L"artifacts\\render-tree-" +
                 (g_factor == 1.0 ? L"1.0" : L"1.5") + L".png");

  int blue = 0, red = 0, titleInk = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const uint32_t pixel = canvas.Pixel(x, y);
      if (Rgb(pixel) == 0x0000FF) ++blue;
      const POINT point{x, y};
      if (PtInRect(&badge->rect(), point) && (pixel >> 16 & 0xFF) > 200 && (pixel >> 8 & 0xFF) < 100) ++red;
      if (PtInRect(&title->rect(), point) && Rgb(pixel) != 0xFFFFFF) ++titleInk;
    }
  }
  EXPECT_EQ(blue, 0) << "the hidden child paints nothing";
  EXPECT_GT(red, Scaled(24) * Scaled(20) / 2) << "the badge image";
  EXPECT_GT(titleInk, Scaled(100)) << "the GDI+ text";
  EXPECT_EQ(canvas.Pixel(5, height - 5), 0xFFFFFFFFu) << "the dialog's background";
  EXPECT_DOUBLE_EQ(UxWin::UxDpiContext::Instance().GetScale(), g_factor);
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--scaled") g_factor = 1.5;
  }
  if (g_factor != 1.0) {
    UxWin::UxDpiSettings settings;
    settings.debug = 1;
    settings.debugDpi = 144;
    settings.supportProcess = L"gui_render.exe";
    UxWin::UxDpiContext::UseSettings(settings);
  }
  return RUN_ALL_TESTS();
}
