// The host window for real under Xvfb: the pop-up's layout 100 in a layered window with
// placeholder pictures, real mouse input, and the notifications the dialog receives.
// A PNG of the back buffer goes to artifacts\ beside the test program.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TestFiles.h"
#include "TestPictures.h"
#include "utils/TextEncoding.h"
#include "uxwin/host/CUxDialogViewImplEx.h"
#include "uxwin/host/UxNotifyRecord.h"
#include "uxwin/object/IUxPaintHook.h"
#include "uxwin/skin/UxCanvas.h"

namespace {

using Event = std::pair<UINT, uint32_t>;  // code, control id


class TestDialog : public CUxDialogViewImplEx<TestDialog> {
 public:
  bool ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_INITDIALOG) {
      ++initialised;
      result = 1;
      return true;
    }
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_MOVE) {
      ++drags;  // the system's move loop needs a real pointer; that a drag starts is what counts
      result = 0;
      return true;
    }
    if (message != WM_NOTIFY) return false;
    const auto* record = reinterpret_cast<const UxNotifyRecord*>(lParam);
    if (record->header.idFrom != UxNotifyCode::kIdentifier) return false;
    if (record->header.code != UxNotifyCode::kMouseMove) events.emplace_back(record->header.code, record->id);
    return false;  // the host still sees it
  }

  std::vector<Event> events;
  int initialised = 0;
  int drags = 0;
};

class CountingHook : public IUxPaintHook {
 public:
  bool BeforePaint(CUxWindow&, UxCanvas&) override { return ++paints, true; }
  void AfterPaint(CUxWindow&, UxCanvas&) override {}
  int paints = 0;
};

void Pump(DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  MSG message{};
  do {
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    Sleep(5);
  } while (GetTickCount64() < end);
}

POINT ScreenPointOf(HWND window, const RECT& rect) {
  POINT point{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  ClientToScreen(window, &point);
  return point;
}

void Button(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(input));
}

// Until one of this thread's windows is on the screen at the point (mapping a window takes a while
// on a busy machine), at most ten seconds.
void WaitUntilShownAt(POINT point) {
  for (int i = 0; i < 200; ++i) {
    HWND under = WindowFromPoint(point);
    if (under && GetWindowThreadProcessId(under, nullptr) == GetCurrentThreadId()) return;
    Pump(50);
  }
}

void Click(POINT press, POINT release) {
  WaitUntilShownAt(press);
  SetCursorPos(press.x, press.y);
  Pump(60);
  Button(MOUSEEVENTF_LEFTDOWN);
  Pump(60);
  SetCursorPos(release.x, release.y);
  Pump(60);
  Button(MOUSEEVENTF_LEFTUP);
  Pump(150);
}

// Down, move and up queued at once: a window drag runs its own loop until the button is up.
void Drag(POINT from, POINT to) {
  SetCursorPos(from.x, from.y);
  Pump(60);
  Button(MOUSEEVENTF_LEFTDOWN);
  SetCursorPos(to.x, to.y);
  Button(MOUSEEVENTF_LEFTUP);
  Pump(300);
}

std::vector<Event> Without(const std::vector<Event>& events, UINT code) {
  std::vector<Event> kept;
  for (const Event& event : events) {
    if (event.first != code) kept.push_back(event);
  }
  return kept;
}

class HostWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::WritePicture(pictures.File(L"background.png"), 520, 360, {0xFF2050C0u});
    testing_support::WritePicture(pictures.File(L"close.png"), 24, 24, {0xFFFFFFFFu, 0xFFDDDDDDu, 0xFFBBBBBBu});
    testing_support::WritePicture(pictures.File(L"confirm.png"), 280, 68, {0xFFFF8000u, 0xFFFF9933u, 0xFFCC6600u});
  }
  void TearDown() override { dialog.Destroy(); }

  // Creates the pop-up from layout 100 with the pictures set, shows it and lets it paint.
  HWND ShowPopUp() {
    HWND window = dialog.Create(nullptr);
    if (!window) return nullptr;
    SetPicture(1001, L"background.png");
    SetPicture(1002, L"close.png");
    SetPicture(1003, L"confirm.png");
    SetWindowPos(window, HWND_TOP, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOW);
    Pump(300);
    return window;
  }
  void SetPicture(int id, const std::wstring& name) {
    CUxWindow* control = dialog.FindChildByCmdID(id);
    ASSERT_NE(control, nullptr) << id;
    control->SetAttribute("filepath", qm::encoding::WideToUtf8(pictures.File(name)).c_str(), false);
    dialog.RedrawControl(*control);
  }
  POINT Centre(int id) { return ScreenPointOf(dialog.hwnd(), dialog.FindChildByCmdID(id)->rect()); }

  testing_support::TempDir pictures;
  TestDialog dialog;
};

}  // namespace

TEST_F(HostWindow, PopUpLayoutShowsInALayeredWindowAndItsButtonsReportClicks) {
  HWND window = ShowPopUp();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(dialog.initialised, 1);
  EXPECT_TRUE(GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_LAYERED);
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, 520);
  EXPECT_EQ(client.bottom, 360);
  UxCanvas* picture = dialog.back_buffer().canvas();
  ASSERT_NE(picture, nullptr) << "the first show painted the layered window";
  CreateDirectoryW((testing_support::ExecutableFolder() + L"artifacts").c_str(), nullptr);
  picture->SavePng(testing_support::ExecutableFolder() + L"artifacts\\popup-layout-100.png");
  EXPECT_EQ(picture->Pixel(5, 5), 0xFF2050C0u) << "background";
  const RECT close = dialog.FindChildByCmdID(1002)->rect();
  EXPECT_EQ(picture->Pixel(close.left + 12, close.top + 12), 0xFFFFFFFFu) << "close button, normal frame";

  for (const int id : {1002, 1003}) {
    dialog.events.clear();
    Click(Centre(id), Centre(id));
    const std::vector<Event> expected{{UxNotifyCode::kLeftDown, id}, {UxNotifyCode::kCommand, id}};
    EXPECT_EQ(Without(dialog.events, UxNotifyCode::kMouseLeave), expected) << id;
  }
  EXPECT_EQ(dialog.drags, 0) << "a press on a button never drags";
  dialog.events.clear();
  const RECT confirm = dialog.FindChildByCmdID(1003)->rect();
  POINT background{confirm.left + 10, confirm.top - 20};  // the header: the background picture is never hit
  ClientToScreen(window, &background);
  Drag(background, POINT{background.x + 30, background.y + 30});
  EXPECT_EQ(dialog.drags, 1);
  EXPECT_TRUE(Without(dialog.events, UxNotifyCode::kMouseLeave).empty());
}

TEST_F(HostWindow, CountDownAndPriceGroupsShowWithTheirTexts) {
  ASSERT_NE(ShowPopUp(), nullptr);
  const std::pair<int, const wchar_t*> texts[] = {{1031, L"79"}, {1032, L"/1\u5e74"}, {1033, L"\uffe589"},
                                                 {1034, L"\u6bcf\u6708\u4ec5\u97006.6\u5143"}};
  for (const auto& [id, text] : texts) dialog.FindChildByCmdID(id)->set_text(text);
  dialog.FindChildByCmdID(1004)->SetVisible(true);
  dialog.FindChildByCmdID(1030)->SetVisible(true);
  dialog.Relayout();
  UpdateWindow(dialog.hwnd());
  Pump(200);
  UxCanvas* picture = dialog.back_buffer().canvas();
  ASSERT_NE(picture, nullptr);
  picture->SavePng(testing_support::ExecutableFolder() + L"artifacts\\popup-layout-100-price.png");
  const RECT line = dialog.FindChildByCmdID(1035)->rect();
  EXPECT_EQ(picture->Pixel(line.left + 5, line.top + 13), 0xFF999999u) << "the strike-through over the old price";
  const RECT badge = dialog.FindChildByCmdID(1011)->rect();
  EXPECT_EQ(badge.right - badge.left, 24);
  EXPECT_GT(picture->Pixel(badge.left + 2, badge.top + 10) >> 16 & 0xFF, 200u) << "the red number background";
}

TEST_F(HostWindow, PressOnAButtonReleasedOutsideLeavesInsteadOfClicking) {
  ASSERT_NE(ShowPopUp(), nullptr);
  dialog.events.clear();
  Click(Centre(1003), Centre(1001));
  const std::vector<Event> expected{{UxNotifyCode::kLeftDown, 1003}, {UxNotifyCode::kMouseLeave, 1003}};
  EXPECT_EQ(dialog.events, expected);
}

TEST_F(HostWindow, ButtonThatAcceptsNoPressDragsAndReportsNothing) {
  HWND window = ShowPopUp();
  ASSERT_NE(window, nullptr);
  dialog.FindChildByCmdID(1002)->SetAttribute("headacceptlbtndownmsg", "0", false);
  dialog.events.clear();
  const POINT start = Centre(1002);
  Drag(start, POINT{start.x + 40, start.y + 30});
  EXPECT_TRUE(Without(dialog.events, UxNotifyCode::kMouseLeave).empty());
  EXPECT_EQ(dialog.drags, 1);
  dialog.drags = 0;
  Drag(Centre(1003), Centre(1003));
  EXPECT_EQ(dialog.drags, 0) << "the confirm button still takes its press";
}

TEST_F(HostWindow, KeyboardCommandsAndLinksReportAsSpecified) {
  ASSERT_TRUE(dialog.SetXml("<layer width=\"200\" height=\"100\"><header height=\"full\">"
                            "<text id=\"5\" pos=\"0,0,100,50\" href=\"http://link.invalid/\" headacceptlbtndownmsg=\"1\">link</text>"
                            "<text id=\"6\" pos=\"100,0,-0,50\">plain</text></header></layer>"));
  HWND window = dialog.Create(nullptr);
  ASSERT_NE(window, nullptr);
  SetWindowPos(window, HWND_TOP, 300, 300, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(window, SW_SHOW);
  Pump(200);
  SendMessageW(window, WM_COMMAND, IDOK, 0);
  SendMessageW(window, WM_COMMAND, IDCANCEL, 0);
  std::vector<Event> expected{{UxNotifyCode::kCommand, 1}, {UxNotifyCode::kCommand, 2}};
  EXPECT_EQ(dialog.events, expected);

  dialog.events.clear();
  Click(Centre(5), Centre(5));
  expected = {{UxNotifyCode::kLeftDown, 5}};
  EXPECT_EQ(Without(dialog.events, UxNotifyCode::kMouseLeave), expected) << "a link opens instead of a command";
}

TEST_F(HostWindow, OnlyTheInvalidRegionIsPaintedAgain) {
  ASSERT_TRUE(dialog.SetXml("<layer width=\"300\" height=\"100\" layered=\"1\"><header height=\"full\">"
                            "<text id=\"1\" pos=\"0,0,150,-0\" crbg=\"FFFFFF\">one</text>"
                            "<text id=\"2\" pos=\"150,0,-0,-0\" crbg=\"FFFFFF\">two</text></header></layer>"));
  HWND window = dialog.Create(nullptr);
  ASSERT_NE(window, nullptr);
  ShowWindow(window, SW_SHOWNA);
  Pump(200);
  CountingHook other;
  dialog.FindChildByCmdID(2)->set_paint_hook(&other);
  CUxWindow* changed = dialog.FindChildByCmdID(1);
  changed->set_text(L"changed");
  dialog.RedrawControl(*changed);
  UpdateWindow(window);
  EXPECT_EQ(dialog.back_buffer().last_painted_area(), 150 * 100);
  EXPECT_EQ(other.paints, 0) << "the untouched text is kept, not painted again";
  dialog.FindChildByCmdID(2)->set_paint_hook(nullptr);
}

TEST_F(HostWindow, LayoutsThatAreNotALayerLeaveNoWindow) {
  EXPECT_FALSE(dialog.SetXml("<dialog width=\"10\" height=\"10\"/>"));
  EXPECT_FALSE(dialog.SetXml("not xml at all <<"));
  dialog.set_layout_id(4242);  // no such resource
  EXPECT_EQ(dialog.Create(nullptr), nullptr);
}
