#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "UxTreeBuilder.h"
#include "uxwin/host/IUxHostSurface.h"
#include "uxwin/host/UxMouseRouter.h"
#include "uxwin/host/UxNotifyRecord.h"
#include "uxwin/host/UxToolTip.h"
#include "uxwin/object/CUxDialog.h"
#include "uxwin/object/IUxPaintHook.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxResourceLoader.h"
#include "uxwin/style/UxString.h"

using testing_support::AddLoaded;
using testing_support::LoadRoot;

namespace {

constexpr uint32_t kRed = 0xFFFF0000u;
constexpr uint32_t kGreen = 0xFF00FF00u;

std::unique_ptr<CUxDialog> Dialog() { return LoadRoot<CUxDialog>("<dlg crbg=\"FFFFFF\"/>", RECT{0, 0, 400, 300}); }

}  // namespace

TEST(UxObjectModel, ShowZeroHidesASubtreeFromPaintingAndHitTesting) {
  auto dialog = Dialog();
  auto* panel = AddLoaded<CUxPanel>(*dialog, "<div pos=\"0,0,-0,-0\" show=\"0\" crbg=\"FF0000\"/>");
  auto* inner = AddLoaded<CUxWindow>(*panel, "<wnd pos=\"10,10,50,50\" crbg=\"00FF00\"/>");
  inner->set_rect(RECT{10, 10, 50, 50});
  EXPECT_FALSE(panel->IsVisible(false));
  EXPECT_FALSE(inner->IsVisible(true));
  EXPECT_TRUE(inner->IsVisible(false));
  EXPECT_EQ(dialog->HitTest(20, 20, true), dialog->handle());
  UxCanvas canvas(400, 300);
  dialog->RedrawRegion(canvas, nullptr);
  EXPECT_EQ(canvas.Pixel(20, 20), 0xFFFFFFFFu);
  panel->SetVisible(true);
  EXPECT_EQ(dialog->HitTest(20, 20, true), inner->handle());
}

TEST(UxObjectModel, LaterOverlappingChildPaintsOnTopAndIsHit) {
  auto dialog = Dialog();
  auto* below = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,100,100\" crbg=\"FF0000\"/>");
  auto* above = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"50,50,150,150\" crbg=\"00FF00\"/>");
  UxCanvas canvas(400, 300);
  dialog->RedrawRegion(canvas, nullptr);
  EXPECT_EQ(canvas.Pixel(75, 75), kGreen);
  EXPECT_EQ(canvas.Pixel(25, 25), kRed);
  EXPECT_EQ(dialog->HitTest(75, 75, true), above->handle());
  EXPECT_EQ(dialog->HitTest(25, 25, true), below->handle());
  EXPECT_EQ(dialog->HitTest(500, 5, true), 0u);
}

TEST(UxObjectModel, TransparentChildrenAreNeverHitAndFloatingOnesFirst) {
  auto dialog = Dialog();
  auto* below = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,100,100\"/>");
  AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,100,100\" transparent=\"1\"/>");
  EXPECT_EQ(dialog->HitTest(50, 50, true), below->handle());
  auto* floating = AddLoaded<CUxWindow>(*dialog, "<wnd width=\"100\" height=\"100\" float=\"1\"/>");
  floating->set_rect(RECT{0, 0, 100, 100});
  AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,100,100\"/>");
  EXPECT_EQ(dialog->HitTest(50, 50, true), floating->handle()) << "floating children are asked first";
}

TEST(UxObjectModel, DestroyedControlsResolveToNothing) {
  HUXWND lone = 0;
  {
    CUxWindow window;
    lone = window.handle();
    EXPECT_EQ(UxWindowMap::Instance().Resolve(lone), &window);
  }
  EXPECT_EQ(UxWindowMap::Instance().Resolve(lone), nullptr);
  auto dialog = Dialog();
  const HUXWND child = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,10,10\"/>")->handle();
  LRESULT ignored = 0;
  dialog->ProcessMessage(nullptr, WM_DESTROY, 0, 0, ignored);
  EXPECT_TRUE(dialog->children().empty());
  EXPECT_EQ(UxWindowMap::Instance().Resolve(child), nullptr);
  EXPECT_NE(CUxWindow().handle(), lone) << "handles are not reused";
}

TEST(UxObjectModel, PositionsResolveAgainstTheDialog) {
  auto dialog = Dialog();
  EXPECT_EQ(AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"-52,28,-28,52\"/>")->rect().left, 348);
  const RECT centred = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"|-140,10,|140,50\"/>")->rect();
  EXPECT_EQ(centred.left, 60);
  EXPECT_EQ(centred.right, 340);
  const RECT box = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"20,10,w100,h40\"/>")->rect();
  EXPECT_EQ(box.right, 120) << "w: a width added to the first item";
  EXPECT_EQ(box.bottom, 50) << "h: a height added to the second item";
  const RECT full = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,-0,-0\"/>")->rect();
  EXPECT_EQ(full.right, 400);
  EXPECT_EQ(full.bottom, 300);
  auto* three = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"1,2,3\" width=\"30\" height=\"full\"/>");
  EXPECT_EQ(three->position().count, 0) << "only 2 or 4 items count";
  EXPECT_EQ(three->size_mode() & 0xFF, CUxWindow::kFixedWidth | CUxWindow::kFullHeight);
  auto* content = AddLoaded<CUxWindow>(*dialog, "<wnd/>");
  EXPECT_EQ(content->size_mode(), CUxWindow::kContentWidth | CUxWindow::kContentHeight | CUxWindow::kInFlow);
}

TEST(UxObjectModel, AttributesTextsAndStringReferences) {
  UxString::Instance().LoadDocument("<string><s id=\"1\">\xe5\xbe\xae\xe8\xbd\xaf\xe9\x9b\x85\xe9\xbb\x91</s></string>");
  auto dialog = Dialog();
  auto* control = AddLoaded<CUxWindow>(
      *dialog, "<wnd id=\"1003\" font=\"1C04\" tip=\"\xe6\x8f\x90\xe7\xa4\xba\" layout_width=\"-2\" s=\"1\" "
               "ss=\"2\">%str1%</wnd>");
  EXPECT_EQ(control->text(), L"\u5fae\u8f6f\u96c5\u9ed1");
  EXPECT_EQ(control->id(), 1003);
  EXPECT_EQ(control->ResolveFontCode(), 0x1C04);
  EXPECT_EQ(control->GetToolTipText(), L"\u63d0\u793a");
  EXPECT_EQ(control->layout().width, -2);
  EXPECT_EQ(control->SetAttribute("no_such_attribute", "1", false), CUxObject::kFail);
  EXPECT_EQ(dialog->FindChildByCmdID(1003), control);
  auto* plain = AddLoaded<CUxWindow>(*dialog, "<wnd>no references</wnd>");
  EXPECT_EQ(plain->text(), L"no references");
  EXPECT_EQ(plain->ResolveFontCode(), 0) << "nothing set anywhere: the base font";
  control->ModifyState(CUxWindow::kHover | CUxWindow::kPushed, 0);
  control->ModifyState(0, CUxWindow::kHover);
  EXPECT_EQ(control->state(), uint32_t{CUxWindow::kPushed});
}

namespace {

UINT g_lastCode = 0;
RECT g_lastRect{};

LRESULT CALLBACK RecordNotify(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) {
    const auto* notify = reinterpret_cast<const CUxWindow::InvalidateNotify*>(lParam);
    g_lastCode = notify->header.code;
    if (g_lastCode == CUxWindow::kInvalidateCode) g_lastRect = notify->rect;
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

TEST(UxObjectModel, DirtyAreasAreReportedToTheHostOnlyWhenVisible) {
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = RecordNotify;
  windowClass.lpszClassName = L"UxObjectModelTestHost";
  RegisterClassW(&windowClass);
  HWND host = CreateWindowW(L"UxObjectModelTestHost", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(host, nullptr);
  auto dialog = Dialog();
  auto* control = AddLoaded<CUxWindow>(*dialog, "<wnd id=\"7\" pos=\"0,0,10,10\"/>");
  dialog->SetContainer(host);
  control->NotifyInvalidateRect(RECT{1, 2, 3, 4});
  EXPECT_EQ(g_lastCode, CUxWindow::kInvalidateCode);
  EXPECT_EQ(g_lastRect.bottom, 4);
  // A control that asks for it reports its own mouse moves and leaves, and nothing else.
  auto* reporting = AddLoaded<CUxWindow>(*dialog, "<wnd id=\"8\" pos=\"0,0,10,10\" notify=\"1\"/>");
  reporting->SetContainer(host);
  LRESULT ignored = 0;
  g_lastCode = 0;
  reporting->ProcessMessage(host, WM_MOUSELEAVE, 0, 0, ignored);
  EXPECT_EQ(g_lastCode, 0u);
  reporting->ProcessMessage(host, WM_MOUSEMOVE, 0, MAKELPARAM(2, 3), ignored);
  EXPECT_EQ(g_lastCode, CUxWindow::kMouseMoveCode);
  g_lastCode = 0;
  dialog->SetVisible(false);
  control->NotifyInvalidateRect(RECT{1, 2, 3, 4});
  EXPECT_EQ(g_lastCode, 0u) << "an ancestor is hidden";
  DestroyWindow(host);
}

namespace {

class CountingHook : public IUxPaintHook {
 public:
  bool BeforePaint(CUxWindow&, UxCanvas&) override {
    ++before;
    return allow;
  }
  void AfterPaint(CUxWindow&, UxCanvas&) override { ++after; }
  bool allow = true;
  int before = 0;
  int after = 0;
};

}  // namespace

TEST(UxObjectModel, PaintHookCanSkipTheContentButNotTheBackground) {
  auto dialog = Dialog();
  auto* control = AddLoaded<CUxWindow>(*dialog, "<wnd pos=\"0,0,100,40\" crbg=\"00FF00\">text</wnd>");
  CountingHook hook;
  control->set_paint_hook(&hook);
  UxCanvas canvas(400, 300);
  dialog->RedrawRegion(canvas, nullptr);
  EXPECT_EQ(hook.before, 1);
  EXPECT_EQ(hook.after, 1);
  hook.allow = false;
  dialog->RedrawRegion(canvas, nullptr);
  EXPECT_EQ(hook.after, 1) << "content skipped";
  EXPECT_EQ(canvas.Pixel(90, 5), kGreen) << "the background is still drawn";
  // A region that misses the control paints nothing of it.
  HRGN elsewhere = CreateRectRgn(200, 200, 250, 250);
  dialog->RedrawRegion(canvas, elsewhere);
  EXPECT_EQ(hook.before, 2);
  DeleteObject(elsewhere);
}

namespace {

class ClickableWnd : public CUxWindow {
 public:
  ClickableWnd() { set_clickable(true); }
};

// A surface with no real window behind it: hit tests go to one dialog, notifications are kept.
class RecordingSurface : public IUxHostSurface {
 public:
  explicit RecordingSurface(CUxDialog& root) : root_(root) {}
  HWND hwnd() const override { return nullptr; }
  bool is_child() const override { return false; }
  bool is_movable() const override { return false; }
  bool is_resizable() const override { return false; }
  bool loop_exit() const override { return false; }
  HWND Create(HWND, DWORD, DWORD) override { return nullptr; }
  void Destroy() override {}
  HUXWND HitTest(POINT point) override { return root_.HitTest(point.x, point.y, true); }
  UINT SizingHitCode(POINT) const override { return HTCLIENT; }
  void RedrawControl(CUxWindow&) override {}
  void Notify(UINT code, CUxWindow& control) override { notified.emplace_back(code, control.id()); }
  void ActivateControl(CUxWindow& control) override { Notify(UxNotifyCode::kCommand, control); }
  UxToolTip& tool_tip() override { return toolTip_; }

  std::vector<std::pair<UINT, int32_t>> notified;

 private:
  CUxDialog& root_;
  UxToolTip toolTip_;
};

}  // namespace

TEST(UxMouseRouting, OnlyAClickableControlTakesThePressInsteadOfTheWindowDrag) {
  auto dialog = Dialog();
  AddLoaded<CUxWindow>(*dialog, "<wnd id=\"1\" pos=\"0,0,100,100\"/>");
  auto* button = AddLoaded<ClickableWnd>(*dialog, "<wnd id=\"2\" pos=\"100,0,200,100\"/>");
  RecordingSurface surface(*dialog);
  UxMouseRouter router(surface);
  LRESULT result = 0;
  router.Handle(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50), result);
  EXPECT_EQ(router.pushed(), 0u) << "a press on a plain control drags the window";
  EXPECT_TRUE(surface.notified.empty());
  router.Handle(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(150, 50), result);
  EXPECT_EQ(router.pushed(), button->handle());
  router.Handle(WM_LBUTTONUP, 0, MAKELPARAM(150, 50), result);
  const std::vector<std::pair<UINT, int32_t>> expected{{UxNotifyCode::kLeftDown, 2}, {UxNotifyCode::kCommand, 2}};
  EXPECT_EQ(surface.notified, expected);
}
