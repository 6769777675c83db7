// Renders a small control tree into the off-screen canvas and checks its pixels, at factor 1.0 and,
// with --scaled, at 1.5 (debug DPI 144). The PNGs go to artifacts\ beside the test program.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "UxTreeBuilder.h"
#include "utils/FileUtil.h"
#include "uxwin/control/CUxImageWnd.h"
#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/object/CUxDialog.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxResourceLoader.h"
#include "uxwin/skin/UxSkinPool.h"
#include "uxwin/style/UxStyleRegistry.h"

using testing_support::AddLoaded;

namespace {

double g_factor = 1.0;
bool g_mode1 = false;

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

TEST_F(RenderTree, SkinnedImageTakesTheSkinSizeScaledByTheFactor) {
  tinyxml2::XMLDocument doc;
  doc.Parse("<dlg/>");
  CUxDialog dialog;
  dialog.set_dpi_aware(true);
  dialog.Load(doc.RootElement());
  dialog.set_rect(RECT{0, 0, Scaled(200), Scaled(100)});
  auto* badge = AddLoaded<CUxImageWnd>(dialog, "<img skin=\"count_down_bg_red\" pos=\"10,10\"/>");
  EXPECT_EQ(badge->rect().right - badge->rect().left, Scaled(24));
  EXPECT_EQ(badge->rect().bottom - badge->rect().top, Scaled(20));
}

TEST_F(RenderTree, NearestPreScaledImageIsDrawnWhenNoExactOneExists) {
  if (g_factor == 1.0) GTEST_SKIP() << "only at factor 1.5";
  // Only a 1.2 file for the white badge: it carries part of the scaling and must be drawn.
  const std::wstring folder = testing_support::ExecutableFolder() + L"ressrc";
  const std::wstring file = folder + L"\\chs\\dpiimg\\1.2\\gui_render\\2002_1.2.png";
  qm::FileUtil::CreateParentFolders(file);
  UxCanvas source(29, 24);
  source.Clear(0xFF00C000u);
  ASSERT_TRUE(source.SavePng(file));
  UxSkinPool pool;
  ASSERT_TRUE(pool.LoadDocument("<skins><png name=\"white\" src=\"2002\"/></skins>"));
  UxCanvas canvas(40, 40);
  pool.GetSkin("white")->Draw(canvas, RECT{0, 0, 36, 30}, 0, true, 255);
  qm::FileUtil::RemoveTree(folder);
  EXPECT_EQ(canvas.Pixel(18, 15), 0xFF00C000u);
}

TEST_F(RenderTree, ProcessWideAwarenessIsSetWhicheverCallComesFirst) {
  if (!g_mode1) GTEST_SKIP() << "only with --mode1";
  UxWin::UxDpiContext::Instance().GetScale();  // not IsEnabled first
  using GetContextFn = DPI_AWARENESS_CONTEXT(WINAPI*)();
  using AwarenessFn = int(WINAPI*)(DPI_AWARENESS_CONTEXT);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto getContext = reinterpret_cast<GetContextFn>(reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
  const auto awarenessOf = reinterpret_cast<AwarenessFn>(reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  ASSERT_TRUE(getContext && awarenessOf);
  EXPECT_EQ(awarenessOf(getContext()), 2) << "per-monitor aware";
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--scaled") g_factor = 1.5;
    if (std::string(argv[i]) == "--mode1") g_mode1 = true;
  }
  UxWin::UxDpiSettings settings;
  settings.supportProcess = L"gui_render.exe";
  if (g_factor != 1.0) {
    settings.debug = 1;
    settings.debugDpi = 144;
  }
  if (g_mode1) {
    settings.switchOn = 1;
    settings.mode = 1;
  }
  UxWin::UxDpiContext::UseSettings(settings);
  return RUN_ALL_TESTS();
}
