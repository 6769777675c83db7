// What reaches the canvas: inherited text colours, outlines, paint hooks, text alpha, nine-grid
// corners, and the documents the module ships.
#include <gtest/gtest.h>

#include <string>

#include "TestFiles.h"
#include "UxTreeBuilder.h"
#include "uxwin/UxEngine.h"
#include "uxwin/object/CUxDialog.h"
#include "uxwin/object/IUxPaintHook.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxPngPool.h"
#include "uxwin/skin/UxSkinPool.h"
#include "uxwin/style/UxString.h"
#include "uxwin/style/UxStyleRegistry.h"
#include "uxwin/style/UxTextPainter.h"

using testing_support::AddLoaded;
using testing_support::LoadRoot;

namespace {

class CountingHook : public IUxPaintHook {
 public:
  explicit CountingHook(bool allow) : allow_(allow) {}
  bool BeforePaint(CUxWindow&, UxCanvas&) override { return allow_; }
  void AfterPaint(CUxWindow&, UxCanvas&) override {}

 private:
  bool allow_;
};

std::string ModuleLog() {
  const std::wstring exe = testing_support::ExecutableFolder();
  return testing_support::ReadBytes(exe + L"log\\unit_tests.unit_tests.exe.log");
}

size_t Count(const std::string& text, const std::string& needle) {
  size_t count = 0;
  for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++count;
  return count;
}

}  // namespace

TEST(UxPainting, TextWithoutAColourTakesItsContainersColour) {
  auto dialog = LoadRoot<CUxDialog>("<dlg crtext=\"FF3A1C\"/>", RECT{0, 0, 100, 100});
  auto* plain = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,10,10\"/>");
  EXPECT_EQ(plain->ResolveTextColour(), RGB(0xFF, 0x3A, 0x1C));
  auto* own = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,10,10\" crtext=\"00FF00\"/>");
  EXPECT_EQ(own->ResolveTextColour(), RGB(0, 0xFF, 0));
  auto root = LoadRoot<CUxWindow>("<wnd/>", RECT{0, 0, 1, 1});
  EXPECT_EQ(root->ResolveTextColour(), RGB(0, 0, 0)) << "black only when nobody has a colour";
}

TEST(UxPainting, BorderOutlineIsOpaqueOnTheCanvas) {
  auto control = LoadRoot<CUxWindow>("<wnd border=\"1\"/>", RECT{10, 10, 30, 30});
  UxCanvas canvas(40, 40);
  control->RedrawRegion(canvas, nullptr);
  EXPECT_EQ(canvas.Pixel(10, 20), 0xFF000000u);
  EXPECT_EQ(canvas.Pixel(29, 20), 0xFF000000u);
  EXPECT_EQ(canvas.Pixel(20, 20), 0u) << "an outline, not a fill";
}

TEST(UxPainting, HookThatSaysStopAlsoKeepsTheChildrenUnpainted) {
  auto dialog = LoadRoot<CUxDialog>("<dlg/>", RECT{0, 0, 100, 100});
  AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,-0,-0\" crbg=\"FF0000\"/>");
  CountingHook stop(false);
  dialog->set_paint_hook(&stop);
  UxCanvas canvas(100, 100);
  dialog->RedrawRegion(canvas, nullptr);
  EXPECT_EQ(canvas.Pixel(50, 50), 0u);
  CountingHook go(true);
  dialog->set_paint_hook(&go);
  dialog->RedrawRegion(canvas, nullptr);
  EXPECT_EQ(canvas.Pixel(50, 50), 0xFFFF0000u);
}

TEST(UxPainting, TextAlphaStaysWithinRange) {
  UxStyle style;
  UxTextRequest request;
  request.style = &style;
  style.alphaText = -5;
  EXPECT_EQ(UxTextPainter::TextAlpha(request), 0) << "a negative alpha must not wrap to opaque";
  style.alphaText = 255;
  EXPECT_EQ(UxTextPainter::TextAlpha(request), 254);
  request.controlAlpha = 100;
  EXPECT_EQ(UxTextPainter::TextAlpha(request), 100);
}

TEST(UxPainting, NineGridCornersNeverOverlapInASmallRectangle) {
  UxSkinPool pool;
  ASSERT_TRUE(pool.LoadDocument("<skins><png name=\"frame\" src=\"2000\" margin_left=\"30\" margin_right=\"30\" "
                                "margin_top=\"30\" margin_bottom=\"30\"/></skins>"));
  UxCanvas small(20, 20);
  pool.GetSkin("frame")->Draw(small, RECT{0, 0, 20, 20}, 0, false, 255);
  // The shadow image is darkest towards its middle: each corner keeps its own outer edge.
  EXPECT_LT(small.Pixel(0, 0) >> 24, small.Pixel(9, 9) >> 24);
  EXPECT_LT(small.Pixel(19, 19) >> 24, small.Pixel(10, 10) >> 24);
}

TEST(UxPainting, MissingImageResourceIsReportedOncePerId) {
  const size_t before = Count(ModuleLog(), "png 7777:");
  UxPngPool::Instance().Get(7777);
  UxPngPool::Instance().Get(7777);
  EXPECT_EQ(Count(ModuleLog(), "png 7777:"), before + 1);
  EXPECT_NE(ModuleLog().find("png 7777: no such resource"), std::string::npos);
}

TEST(UxPainting, ShippedDocumentsLoadWithNamedClassesOnly) {
  UxEngine::SetUpOnce();
  EXPECT_EQ(UxString::Instance().Get(1), L"\u5fae\u8f6f\u96c5\u9ed1");
  for (const char* name : {"linkimage", "count_down", "count_down_hint", "price", "price_period", "price_old", "per_month"}) {
    EXPECT_TRUE(UxStyleRegistry::Instance().Has(name)) << name;
  }
  EXPECT_EQ(UxStyleRegistry::Instance().GetStyle("linkimage").cursor, reinterpret_cast<ULONG_PTR>(IDC_HAND));
  EXPECT_EQ(UxStyleRegistry::Instance().GetStyle("price").textModeEx, 0x25u);
  for (const char* skin : {"shadow", "dlg_shadow", "count_down_bg_red", "count_down_bg_white"}) {
    ASSERT_NE(UxSkinPool::Instance().GetSkin(skin), nullptr) << skin;
    EXPECT_TRUE(UxSkinPool::Instance().GetSkin(skin)->LoadImage()) << skin;
  }
}
