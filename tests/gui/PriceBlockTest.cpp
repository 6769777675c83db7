// The pop-up's price row at one DPI factor (--factor 1.0, 1.2 or 1.5), drawn off screen as the
// preview draws it: for prices of two to five digits the struck-through old price is drawn whole,
// its strike-through spans it, and the row stays inside the price panel, its box centred there.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <string>

#include "FakePopServices.h"
#include "TestFiles.h"
#include "TestPictures.h"
#include "ui/NewUserDiscountPopDlg.h"
#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/object/CUxContainerWnd.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/style/UxFontPool.h"
#include "uxwin/style/UxTextPainter.h"

using ui::NewUserDiscountPopDlg;

namespace {

double g_factor = 1.0;
constexpr uint32_t kPaper = 0xFFFFFFFFu;  // the background picture

// Columns of a rectangle of the canvas that hold anything but paper, rows in [skipTop, skipBottom)
// left out; {INT_MAX, INT_MIN} when there are none.
std::pair<int, int> InkColumns(const UxCanvas& canvas, const RECT& area, LONG skipTop = 0, LONG skipBottom = 0) {
  std::pair<int, int> columns{INT_MAX, INT_MIN};
  for (LONG y = area.top; y < area.bottom; ++y) {
    if (y >= skipTop && y < skipBottom) continue;
    for (LONG x = area.left; x < area.right; ++x) {
      if (canvas.Pixel(x, y) == kPaper) continue;
      columns.first = std::min<int>(columns.first, x);
      columns.second = std::max<int>(columns.second, x);
    }
  }
  return columns;
}

// The ink a control's text makes when nothing limits it.
int FreeInkWidth(CUxWindow& text) {
  const SIZE size{text.rect().bottom - text.rect().top, 0};
  UxCanvas canvas(1000, size.cx);
  canvas.Clear(kPaper);
  UxTextRequest request;
  request.text = text.text();
  request.windowRect = RECT{0, 0, 1000, size.cx};
  request.style = &text.GetStyle();
  request.font = text.GetFont();
  request.colour = text.ResolveTextColour();
  request.dpiAware = text.dpi_aware();
  UxTextPainter::Draw(canvas, request, UxFontPool::Instance());
  GdiFlush();
  const auto columns = InkColumns(canvas, RECT{0, 0, 1000, size.cx});
  return columns.second - columns.first + 1;
}

class PriceRow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::WritePicture(folder.File(L"new_user_discount_background.png"), 520, 360, {kPaper}));
    ASSERT_TRUE(testing_support::WritePicture(folder.File(L"new_user_discount_close_btn.png"), 24, 24,
                                              {kPaper, kPaper, kPaper}));
    ASSERT_TRUE(testing_support::WritePicture(folder.File(L"new_user_discount_confirm_btn.png"), 280, 68,
                                              {kPaper, kPaper, kPaper}));
  }

  // The pop-up with this price, created, laid out and painted, never shown.
  std::unique_ptr<NewUserDiscountPopDlg> Render(int pay, int reference) {
    auto services = std::make_shared<testing_support::FakePopServices>(folder.path());
    services->config[L"recommand_package_months"] = 12;
    services->price = vipcenter::PayPriceInfo{pay, reference, true};
    auto dialog = std::make_unique<NewUserDiscountPopDlg>(services);
    dialog->Initialize();
    for (int i = 0; i < 500 && !dialog->CurrentPrice().valid; ++i) Sleep(20);
    dialog->UnInitialize();
    CUxHostWindow::LoadResourceDocuments();
    if (!dialog->SetXml(CUxHostWindow::LoadResource(L"xml", CUxHostWindow::kDefaultLayoutId))) return nullptr;
    const DWORD style = dialog->layer().style & ~static_cast<DWORD>(WS_VISIBLE);
    HWND window = dialog->Create(nullptr, style ? style : WS_POPUP);
    if (!window) return nullptr;
    SendMessageW(window, WM_PRINTCLIENT, 0, 0);
    GdiFlush();
    return dialog;
  }

  testing_support::TempDir folder;
};

}  // namespace

TEST_F(PriceRow, OldPriceIsDrawnWholeStruckThroughAndTheRowStaysCentredInThePanel) {
  ASSERT_DOUBLE_EQ(UxWin::UxDpiContext::Instance().GetScale(), g_factor);
  for (const auto& [pay, reference] : {std::pair{79, 89}, std::pair{131, 168}, std::pair{1310, 1680},
                                       std::pair{13100, 16800}}) {
    SCOPED_TRACE(std::to_string(pay) + "/" + std::to_string(reference));
    std::unique_ptr<NewUserDiscountPopDlg> dialog = Render(pay, reference);
    ASSERT_TRUE(dialog);
    const UxCanvas* canvas = dialog->back_buffer().canvas();
    ASSERT_TRUE(canvas && canvas->IsValid());
    CUxWindow* price = dialog->FindChildByCmdID(1031);
    CUxWindow* old = dialog->FindChildByCmdID(1033);
    auto* block = static_cast<CUxContainerWnd*>(dialog->FindChildByCmdID(1035));
    ASSERT_TRUE(price && old && block && block->children().size() == 2);
    ASSERT_TRUE(block->IsVisible(true));
    EXPECT_EQ(old->text(), L"\uffe5" + std::to_wstring(reference));

    // The whole old price: as much ink as the same text drawn without limits.
    const RECT line = block->children()[1]->rect();
    const auto ink = InkColumns(*canvas, block->rect(), line.top, line.bottom);
    ASSERT_LE(ink.first, ink.second) << "no old price drawn";
    EXPECT_NEAR(ink.second - ink.first + 1, FreeInkWidth(*old), 1);
    // The strike-through crosses all of it.
    EXPECT_LE(line.left, ink.first);
    EXPECT_GT(line.right, ink.second);
    EXPECT_EQ(canvas->Pixel(ink.first, line.top), 0xFF999999u);
    EXPECT_EQ(canvas->Pixel(ink.second, line.top), 0xFF999999u);

    // The row, from the new price to the old one, inside its box; the box centred in the panel
    // and inside it (a short row keeps the box's minimum width, so its place does not change).
    const RECT& panel = dialog->FindChildByCmdID(1030)->rect();
    ASSERT_NE(price->GetParent(), nullptr);
    const RECT& row = price->GetParent()->rect();
    EXPECT_GE(price->rect().left, row.left);
    EXPECT_LE(block->rect().right, row.right);
    EXPECT_GE(row.left, panel.left);
    EXPECT_LE(row.right, panel.right);
    EXPECT_NEAR((row.left + row.right) / 2.0, (panel.left + panel.right) / 2.0, 1.0);
    dialog->Destroy();
  }
}

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::string(argv[i]) == "--factor") g_factor = std::stod(argv[i + 1]);
  }
  UxWin::UxDpiSettings settings;
  settings.supportProcess = L"gui_price_block.exe";
  if (g_factor > 1.0) {
    settings.debug = 1;
    settings.debugDpi = g_factor > 1.3 ? 144 : 116;  // 116 / 96 is just over 1.2
  }
  UxWin::UxDpiContext::UseSettings(settings);
  return RUN_ALL_TESTS();
}
