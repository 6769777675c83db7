// The new-user discount pop-up shown modally under Xvfb with recorded services: what it records,
// shows, opens and answers for each way out, and its background worker's lifetime.
#include <gtest/gtest.h>
#include <oleacc.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "FakePopServices.h"
#include "TestFiles.h"
#include "TestPictures.h"
#include "strategy/PopImageChecker.h"
#include "ui/NewUserDiscountPopDlg.h"
#include "uxwin/host/UxNotifyRecord.h"
#include "uxwin/skin/UxCanvas.h"
#include "utils/ZIniWrapEx.h"

using ui::NewUserDiscountPopDlg;

namespace {

using Record = std::tuple<int, int, int>;  // adshow, adclick, noshowreason

class RecordedServices : public testing_support::FakePopServices {
 public:
  bool StrategyCanShow(int, const vipcenter::PayPriceInfo& lastPrice) override {
    priceSeen = lastPrice;
    return strategySays;
  }
  // With URLs, the module's own check of the local pictures against the MD5 their URLs name.
  bool ImagesValid() override {
    if (urls.empty()) return imagesValid;
    return strategy::PopImageChecker::AllValid(strategy::PopImageChecker::Check(
        urls[L"bg_url"], urls[L"close_btn_url"], urls[L"confirm_btn_url"], UtilFolder()));
  }
  void ReportPop(int adShow, int adClick, int reason) override {
    records.emplace_back(adShow, adClick, reason);
    if (adShow == 1 && adClick == 0 && onShown) onShown();
  }
  void ReportPurchase(int userType) override { purchases.push_back(userType); }
  int VipState() override { return vipState; }
  bool OpenVipPage(int pageType, int vipFrom, int fid, const std::wstring& query) override {
    pages.push_back(std::to_wstring(pageType) + L" " + std::to_wstring(vipFrom) + L" " + std::to_wstring(fid) + L" " + query);
    return true;
  }
  void RefreshResources(HANDLE stop, vipcenter::PayPriceInfo& out) override {
    ++refreshes;
    out = price;
    if (blockRefreshUntilStop) WaitForSingleObject(stop, INFINITE);
    // A request that ignores the stop, as a server that never answers holds one.
    if (refreshHeldBy) WaitForSingleObject(refreshHeldBy, INFINITE);
    if (refreshHeldBy) SetEvent(refreshEnded);
  }

  bool strategySays = true;
  bool imagesValid = true;
  std::map<std::wstring, std::wstring> urls;
  int vipState = 2;
  vipcenter::PayPriceInfo priceSeen{-1, -1, true};
  bool blockRefreshUntilStop = false;
  HANDLE refreshHeldBy = nullptr;
  HANDLE refreshEnded = nullptr;
  std::function<void()> onShown;
  std::vector<Record> records;
  std::vector<int> purchases;
  std::vector<std::wstring> pages;
  int refreshes = 0;
};

// Clicks a control the way the host reports it, from another thread once the window runs.
void ClickLater(NewUserDiscountPopDlg& dialog, uint32_t id) {
  std::thread([&dialog, id] {
    Sleep(400);
    UxNotifyRecord record{{dialog.hwnd(), UxNotifyCode::kIdentifier, UxNotifyCode::kCommand}, id, "storageimagebtn"};
    SendMessageW(dialog.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
  }).detach();
}

// Whether the pop-up's window ever became visible; one left open is closed after a while.
struct ShowWatch {
  NewUserDiscountPopDlg* dialog = nullptr;
  HWND window = nullptr;
  bool shown = false;
  UINT_PTR closer = 0;
};
ShowWatch g_watch;

LRESULT CALLBACK WatchShowing(int code, WPARAM wParam, LPARAM lParam) {
  const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && g_watch.window && sent->hwnd == g_watch.window) {
    if ((sent->message == WM_SHOWWINDOW && sent->wParam) ||
        (sent->message == WM_WINDOWPOSCHANGED &&
         (reinterpret_cast<const WINDOWPOS*>(sent->lParam)->flags & SWP_SHOWWINDOW))) {
      g_watch.shown = true;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void CALLBACK CloseIfOpen(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  g_watch.closer = 0;
  HWND window = g_watch.dialog->hwnd();
  if (!window) return;
  if (IsWindowVisible(window)) g_watch.shown = true;
  UxNotifyRecord record{{window, UxNotifyCode::kIdentifier, UxNotifyCode::kCommand}, 1002, "storageimagebtn"};
  SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
}

class PopDlg : public ::testing::Test {
 protected:
  void SetUp() override {
    services->folder = folder.path();
    testing_support::WritePicture(folder.File(L"new_user_discount_background.png"), 520, 360, {0xFF2050C0u});
    testing_support::WritePicture(folder.File(L"new_user_discount_close_btn.png"), 24, 24, {0xFFFFFFFFu, 0xFFDDDDDDu, 0xFFBBBBBBu});
    testing_support::WritePicture(folder.File(L"new_user_discount_confirm_btn.png"), 280, 68, {0xFFFF8000u, 0xFFFF9933u, 0xFFCC6600u});
    services->config = {{L"recommand_package_months", 12}};
  }
  std::wstring Text(int id) { return dialog->FindChildByCmdID(id)->text(); }
  bool Visible(int id) { return dialog->FindChildByCmdID(id)->IsVisible(false); }
  // Shows the pop-up once its price was refreshed.
  PAGESDKUTIL::PopResult ShowRefreshed() {
    dialog->Initialize();
    for (int i = 0; i < 500 && !dialog->CurrentPrice().valid; ++i) Sleep(20);
    return dialog->Show();
  }

  // Shows a fresh pop-up and says whether its window was ever on the screen.
  PAGESDKUTIL::PopResult ShowWatched(bool& shown) {
    dialog = std::make_unique<NewUserDiscountPopDlg>(services);
    services->records.clear();
    g_watch = ShowWatch{dialog.get()};
    services->onShown = [] {
      g_watch.window = g_watch.dialog->hwnd();
      g_watch.closer = SetTimer(nullptr, 0, 1500, &CloseIfOpen);
    };
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, &WatchShowing, nullptr, GetCurrentThreadId());
    const PAGESDKUTIL::PopResult result = ShowRefreshed();
    if (hook) UnhookWindowsHookEx(hook);
    if (g_watch.closer) KillTimer(nullptr, g_watch.closer);
    services->onShown = nullptr;
    shown = g_watch.shown;
    return result;
  }
  // The three pictures as a campaign names them: each URL ends with its picture's MD5.
  void NameByContent() {
    for (const auto& [field, name] : {std::pair{L"bg_url", L"new_user_discount_background.png"},
                                      std::pair{L"close_btn_url", L"new_user_discount_close_btn.png"},
                                      std::pair{L"confirm_btn_url", L"new_user_discount_confirm_btn.png"}}) {
      services->urls[field] = L"https://cdn.example/" + strategy::PopImageChecker::FileMd5(folder.File(name)) + L".png";
    }
  }

  testing_support::TempDir folder;
  std::shared_ptr<RecordedServices> services = std::make_shared<RecordedServices>();
  std::unique_ptr<NewUserDiscountPopDlg> dialog = std::make_unique<NewUserDiscountPopDlg>(services);
};

// Runs a probe inside the pop-up's modal loop, on the window's own thread.
std::function<void()> repaintProbe;
WNDPROC dialogProc = nullptr;
LRESULT CALLBACK ProbingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_USER + 0x77) return CallWindowProcW(dialogProc, window, message, wParam, lParam);
  SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dialogProc));
  repaintProbe();
  return 0;
}

class PopDlgRepaint : public PopDlg {
 protected:
  void SetUp() override {
    PopDlg::SetUp();
    services->onShown = nullptr;
  }
  static std::vector<uint32_t> Pixels(const UxCanvas& canvas) {
    GdiFlush();
    return std::vector<uint32_t>(canvas.bits(), canvas.bits() + canvas.width() * canvas.height());
  }
};

}  // namespace

TEST_F(PopDlg, CloseRecordsTheShowAndTheClickAndFillsThePrice) {
  services->onShown = [this] { ClickLater(*dialog, 1002); };
  EXPECT_EQ(ShowRefreshed(), 2);
  EXPECT_EQ(services->records, (std::vector<Record>{{1, 0, 0}, {1, 1, 0}}));
  EXPECT_EQ(Text(1031), L"79");
  EXPECT_EQ(Text(1032), L"/1\u5e74");
  EXPECT_EQ(Text(1033), L"\uffe589");
  EXPECT_EQ(Text(1034), L"\u6bcf\u6708\u4ec5\u9700" L"6.6\u5143");
  EXPECT_TRUE(Visible(1030));
  EXPECT_TRUE(Visible(1035));
  qm::ZIniWrapEx state;
  ASSERT_TRUE(state.Load(folder.File(L"sdkutilcfg.ini")));
  ASSERT_NE(state.Find(L"new_user_discount", L"last_show_time"), nullptr);
  EXPECT_NEAR(std::stoll(*state.Find(L"new_user_discount", L"last_show_time")), _time64(nullptr), 60);
}

TEST_F(PopDlg, ConfirmOfALoggedInUserOpensThePurchasePageAndAccepts) {
  services->onShown = [this] { ClickLater(*dialog, 1003); };
  EXPECT_EQ(ShowRefreshed(), 1);
  EXPECT_EQ(services->records, (std::vector<Record>{{1, 0, 0}, {1, 2, 0}}));
  EXPECT_EQ(services->purchases, std::vector<int>{2});
  EXPECT_EQ(services->pages, std::vector<std::wstring>{L"2 6411 0 selected_month_length=12"});
}

TEST_F(PopDlg, ConfirmOfALoggedOutUserOpensTheLoginPageASecondLater) {
  services->vipState = 1;
  services->config.clear();  // no months: no query, layout texts kept
  services->onShown = [this] { ClickLater(*dialog, 1003); };
  EXPECT_EQ(ShowRefreshed(), 1);
  EXPECT_EQ(services->purchases, std::vector<int>{1});
  EXPECT_EQ(services->pages, (std::vector<std::wstring>{L"2 6411 0 ", L"1 6411 0 "}));
}

TEST_F(PopDlg, CountDownThatRunsOutClosesWithThree) {
  services->config = {{L"count_down_enable", 1}, {L"count_down_hours", 0}, {L"count_down_style", 2}};
  EXPECT_EQ(ShowRefreshed(), 3);
  EXPECT_EQ(services->records.back(), (Record{1, 3, 0}));
  EXPECT_TRUE(Visible(1004));
  EXPECT_EQ(Text(1005), L"00");
}

TEST_F(PopDlg, InvalidImagesCloseAtOnceAfterRecordingTheShow) {
  services->imagesValid = false;
  bool shown = true;
  EXPECT_EQ(ShowWatched(shown), 4);
  EXPECT_FALSE(shown);
  EXPECT_EQ(services->records, std::vector<Record>{Record(1, 0, 0)});
  EXPECT_TRUE(testing_support::FileExists(folder.File(L"sdkutilcfg.ini")));
}

class PopDlgPictures : public PopDlg {};

TEST_F(PopDlgPictures, ThoseThatMatchTheirUrlsButCannotBeDrawnCloseAtOnceUnshown) {
  using testing_support::BrokenPicture;
  NameByContent();
  bool shown = false;
  EXPECT_EQ(ShowWatched(shown), 2) << "good pictures: shown, then closed";
  EXPECT_TRUE(shown);

  const std::pair<const wchar_t*, BrokenPicture> cases[] = {
      {L"new_user_discount_background.png", BrokenPicture::kTruncated},
      {L"new_user_discount_close_btn.png", BrokenPicture::kWebp},
      {L"new_user_discount_confirm_btn.png", BrokenPicture::kHugeHeader},
      {L"new_user_discount_background.png", BrokenPicture::kEmpty}};
  for (const auto& [name, kind] : cases) {
    SetUp();
    ASSERT_TRUE(testing_support::WriteBrokenPicture(folder.File(name), kind));
    NameByContent();
    ASSERT_TRUE(services->ImagesValid()) << "its MD5 matches";
    EXPECT_EQ(ShowWatched(shown), 4) << name;
    EXPECT_FALSE(shown) << name;
    EXPECT_EQ(services->records, std::vector<Record>{Record(1, 0, 0)}) << name;
  }

  // Equal URLs for the close and confirm buttons: one file is fetched, the close picture is missing.
  SetUp();
  NameByContent();
  services->urls[L"close_btn_url"] = services->urls[L"confirm_btn_url"];
  ASSERT_TRUE(DeleteFileW(folder.File(L"new_user_discount_close_btn.png").c_str()));
  ASSERT_TRUE(services->ImagesValid());
  EXPECT_EQ(ShowWatched(shown), 4);
  EXPECT_FALSE(shown);
}

TEST_F(PopDlg, PriceChecksDecideTheShowAndThePriceBlock) {
  services->price = {0, 0, false};
  dialog->Initialize();
  Sleep(200);
  EXPECT_TRUE(dialog->CanShow(1));
  EXPECT_EQ(services->priceSeen.payPrice, 0) << "the checks judge the worker's last price";
  EXPECT_FALSE(services->priceSeen.valid);
  EXPECT_TRUE(services->records.empty()) << "the price gate reports through the strategy";
  services->strategySays = false;
  EXPECT_FALSE(dialog->CanShow(1));
  dialog->UnInitialize();

  services->hostType = 1;
  services->strategySays = true;
  services->price = {89, 89, true};
  services->onShown = [this] { ClickLater(*dialog, 1002); };
  EXPECT_EQ(ShowRefreshed(), 2);
  EXPECT_TRUE(Visible(1030));
  EXPECT_FALSE(Visible(1035)) << "no reference price when both are equal";
}

// Count-down ticks repaint only their digits, each control only its part of the picture: what
// they leave is exactly what a full repaint draws.
TEST_F(PopDlgRepaint, TicksLeaveTheSamePixelsAsAFullRepaint) {
  testing_support::WritePatternPicture(folder.File(L"new_user_discount_background.png"), 520, 360);
  services->config = {{L"recommand_package_months", 12}, {L"count_down_enable", 1}, {L"count_down_hours", 1}};
  std::vector<uint32_t> afterTicks, full;
  long long tickArea = 0;
  services->onShown = [&] {
    HWND window = dialog->hwnd();
    dialogProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ProbingProc)));
    PostMessageW(window, WM_USER + 0x77, 0, 0);
  };
  dialog->Initialize();
  for (int i = 0; i < 500 && !dialog->CurrentPrice().valid; ++i) Sleep(20);
  repaintProbe = [&] {
    HWND window = dialog->hwnd();
    UpdateWindow(window);  // the first frame
    for (int tick = 0; tick < 3; ++tick) {
      SendMessageW(window, WM_TIMER, NewUserDiscountPopDlg::kCountDownTimer, 0);
      UpdateWindow(window);
    }
    tickArea = dialog->back_buffer().last_painted_area();
    afterTicks = Pixels(*dialog->back_buffer().canvas());
    dialog->back_buffer().InvalidateAll();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    full = Pixels(*dialog->back_buffer().canvas());
    UxNotifyRecord record{{window, UxNotifyCode::kIdentifier, UxNotifyCode::kCommand}, 1002, "storageimagebtn"};
    SendMessageW(window, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&record));
  };
  EXPECT_EQ(dialog->Show(), 2);
  EXPECT_EQ(Text(1007), L"57");
  EXPECT_GT(tickArea, 0);
  EXPECT_LT(tickArea, 520 * 360 / 50) << "a tick repaints its digits, not the window";
  ASSERT_EQ(afterTicks.size(), 520u * 360u);
  size_t differ = 0;
  for (size_t i = 0; i < full.size(); ++i) differ += afterTicks[i] != full[i];
  EXPECT_EQ(differ, 0u);
}

TEST_F(PopDlg, UninitializeStopsAWorkerThatIsStillRefreshing) {
  services->blockRefreshUntilStop = true;
  services->config = {{L"update_vanta_minutes", 5}};
  ASSERT_TRUE(dialog->Initialize());
  Sleep(200);
  const ULONGLONG start = GetTickCount64();
  dialog->UnInitialize();
  // The refresh would block for ever: coming back at all is the behaviour; the bound is loose for
  // a loaded machine.
  EXPECT_LT(GetTickCount64() - start, 10000u);
  EXPECT_FALSE(dialog->worker_running());
  EXPECT_EQ(services->refreshes, 1);
}

TEST_F(PopDlg, UninitializeLeavesAWorkerStuckInARequestToEndOnItsOwn) {
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE ended = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  services->refreshHeldBy = release;
  services->refreshEnded = ended;
  ASSERT_TRUE(dialog->Initialize());
  // Uninitialize returns while the request still holds the worker, and the pop-up can go away.
  dialog->UnInitialize();
  EXPECT_FALSE(dialog->worker_running());
  EXPECT_EQ(WaitForSingleObject(ended, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  dialog.reset();
  // The worker finishes later on state it shares, not on the freed pop-up.
  SetEvent(release);
  EXPECT_EQ(WaitForSingleObject(ended, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
  Sleep(100);  // let it write the price and leave
  EXPECT_EQ(services->refreshes, 1);
  CloseHandle(release);
  CloseHandle(ended);
}

// The keyboard and accessibility clients, in the pop-up's own thread: keys are posted to the
// window as the system queues them, the tree is asked for through WM_GETOBJECT.
namespace {

struct Key {
  UINT message;  // WM_KEYDOWN, or WM_SYSKEYDOWN for a key with Alt held
  WPARAM key;
};
const Key kTab{WM_KEYDOWN, VK_TAB}, kEnter{WM_KEYDOWN, VK_RETURN}, kSpace{WM_KEYDOWN, VK_SPACE};
const Key kEsc{WM_KEYDOWN, VK_ESCAPE}, kAltF4{WM_SYSKEYDOWN, VK_F4};

void PressLater(NewUserDiscountPopDlg& dialog, std::vector<Key> keys) {
  std::thread([&dialog, keys] {
    Sleep(400);
    for (const Key& key : keys) {
      const LPARAM alt = key.message == WM_SYSKEYDOWN ? (1 << 29) : 0;
      PostMessageW(dialog.hwnd(), key.message, key.key, 1 | alt);
      PostMessageW(dialog.hwnd(), key.message + 1, key.key, 1 | alt | (3u << 30));
    }
  }).detach();
}

// What the timer steps of the accessibility case saw, on the pop-up's thread.
struct AccessSteps {
  NewUserDiscountPopDlg* dialog = nullptr;
  IAccessible* object = nullptr;
  std::vector<std::pair<long, std::wstring>> nodes;  // role, name
  std::wstring dialogName;
  long dialogRole = 0, confirmState = 0, closeStateAfterTab = 0, count = 0;
  RECT confirmPlace{}, window{};
  uint32_t markBefore = 0, markAfter = 0, background = 0;
  std::vector<long> focusEvents;
  HRESULT got = S_OK, action = E_FAIL;
};
AccessSteps g_access;

long LongOf(IAccessible& object, long child, HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*)) {
  VARIANT id{}, out{};
  id.vt = VT_I4;
  id.lVal = child;
  return SUCCEEDED((object.*get)(id, &out)) && out.vt == VT_I4 ? out.lVal : -1;
}

std::wstring NameOf(IAccessible& object, long child) {
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  BSTR name = nullptr;
  object.get_accName(id, &name);
  std::wstring text = name ? name : L"";
  SysFreeString(name);
  return text;
}

void CALLBACK OnFocusEvent(HWINEVENTHOOK, DWORD, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (window == g_access.dialog->hwnd() && object == OBJID_CLIENT) g_access.focusEvents.push_back(child);
}

uint32_t PixelAt(NewUserDiscountPopDlg& dialog, int x, int y) {
  UpdateWindow(dialog.hwnd());
  return dialog.back_buffer().canvas()->Pixel(x, y);
}

void CALLBACK SecondStep(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  AccessSteps& s = g_access;
  const RECT close = s.dialog->FindChildByCmdID(1002)->rect();
  s.markAfter = PixelAt(*s.dialog, close.left - 3, close.top + 10);
  s.closeStateAfterTab = LongOf(*s.object, 2, &IAccessible::get_accState);
  VARIANT confirm{};
  confirm.vt = VT_I4;
  confirm.lVal = 3;
  s.action = s.object->accDoDefaultAction(confirm);
  s.object->Release();
  s.object = nullptr;
}

void CALLBACK FirstStep(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  AccessSteps& s = g_access;
  HWND window = s.dialog->hwnd();
  GetWindowRect(window, &s.window);
  const RECT confirm = s.dialog->FindChildByCmdID(1003)->rect();
  s.markBefore = PixelAt(*s.dialog, confirm.left - 3, confirm.top + 10);
  s.background = PixelAt(*s.dialog, 5, 5);
  s.got = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                     reinterpret_cast<void**>(&s.object));
  if (FAILED(s.got) || !s.object) {
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
    return;
  }
  s.dialogRole = LongOf(*s.object, CHILDID_SELF, &IAccessible::get_accRole);
  s.dialogName = NameOf(*s.object, CHILDID_SELF);
  s.object->get_accChildCount(&s.count);
  for (long child = 1; child <= s.count; ++child) {
    s.nodes.emplace_back(LongOf(*s.object, child, &IAccessible::get_accRole), NameOf(*s.object, child));
  }
  s.confirmState = LongOf(*s.object, 3, &IAccessible::get_accState);
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = 3;
  long left = 0, top = 0, width = 0, height = 0;
  s.object->accLocation(&left, &top, &width, &height, id);
  s.confirmPlace = RECT{left, top, left + width, top + height};
  PostMessageW(window, WM_KEYDOWN, VK_TAB, 1);
  SetTimer(nullptr, 0, 300, &SecondStep);
}

class PopDlgKeys : public PopDlg {
 protected:
  PAGESDKUTIL::PopResult ShowPressing(std::vector<Key> keys) {
    dialog = std::make_unique<NewUserDiscountPopDlg>(services);
    services->records.clear();
    services->onShown = [this, keys] { PressLater(*dialog, keys); };
    return ShowRefreshed();
  }
};

}  // namespace

TEST_F(PopDlgKeys, EscAndAltF4CloseAsTheCloseButtonDoes) {
  for (const Key& key : {kEsc, kAltF4}) {
    EXPECT_EQ(ShowPressing({key}), 2) << key.key;
    EXPECT_EQ(services->records, (std::vector<Record>{{1, 0, 0}, {1, 1, 0}})) << key.key;
  }
  EXPECT_TRUE(services->purchases.empty());
}

TEST_F(PopDlgKeys, ConfirmHasTheFocusAtFirstAndTabMovesItInLayoutOrder) {
  const std::pair<std::vector<Key>, PAGESDKUTIL::PopResult> cases[] = {
      {{kEnter}, 1}, {{kSpace}, 1}, {{kTab, kEnter}, 2}, {{kTab, kTab, kEnter}, 1}, {{kTab, kSpace}, 2}};
  for (const auto& [keys, result] : cases) {
    EXPECT_EQ(ShowPressing(keys), result) << keys.size() << " keys";
    const Record click{1, result == 1 ? 2 : 1, 0};
    EXPECT_EQ(services->records, (std::vector<Record>{{1, 0, 0}, click})) << keys.size() << " keys";
  }
  EXPECT_EQ(services->purchases, (std::vector<int>{2, 2, 2}));
}

// The tree a screen reader gets, the focus it follows, the mark the keyboard brings up, and the
// confirm button's default action, which does what a click does.
TEST_F(PopDlgKeys, AccessibilityClientsSeeNameAndPressTheButtons) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  g_access = AccessSteps();
  g_access.dialog = dialog.get();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &OnFocusEvent,
                                       GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  services->onShown = [] { SetTimer(nullptr, 0, 400, &FirstStep); };
  EXPECT_EQ(ShowRefreshed(), 1);
  if (hook) UnhookWinEvent(hook);
  ASSERT_EQ(g_access.got, S_OK) << "AccessibleObjectFromWindow";
  EXPECT_EQ(g_access.action, S_OK);
  EXPECT_EQ(services->records, (std::vector<Record>{{1, 0, 0}, {1, 2, 0}})) << "as the click records";
  EXPECT_EQ(services->purchases, std::vector<int>{2});
  EXPECT_EQ(services->pages, std::vector<std::wstring>{L"2 6411 0 selected_month_length=12"});

  EXPECT_EQ(g_access.dialogRole, ROLE_SYSTEM_DIALOG);
  EXPECT_EQ(g_access.dialogName, L"\u65b0\u7528\u6237\u4e13\u4eab\u4f18\u60e0");
  const std::vector<std::pair<long, std::wstring>> nodes{
      {ROLE_SYSTEM_GRAPHIC, L"\u65b0\u7528\u6237\u4e13\u4eab\u6d3b\u52a8"},
      {ROLE_SYSTEM_PUSHBUTTON, L"\u5173\u95ed"},
      {ROLE_SYSTEM_PUSHBUTTON, L"\u7acb\u5373\u5f00\u901a"},
      {ROLE_SYSTEM_STATICTEXT, L"79 \u5143 /1\u5e74, \u539f\u4ef7 \uffe589, \u6bcf\u6708\u4ec5\u9700" L"6.6\u5143"}};
  EXPECT_EQ(g_access.nodes, nodes) << "the count-down is hidden, so not listed";
  EXPECT_TRUE(g_access.confirmState & STATE_SYSTEM_FOCUSABLE);
  const RECT confirm{g_access.window.left + 120, g_access.window.top + 246, g_access.window.left + 400,
                     g_access.window.top + 314};
  EXPECT_TRUE(EqualRect(&g_access.confirmPlace, &confirm));
  EXPECT_EQ(g_access.markBefore, g_access.background) << "no focus mark before a key is pressed";
  EXPECT_EQ(g_access.markAfter, 0xFF333333u) << "the mark around close after Tab";
  EXPECT_TRUE(g_access.closeStateAfterTab & STATE_SYSTEM_FOCUSED) << std::hex << g_access.closeStateAfterTab;
  EXPECT_NE(std::find(g_access.focusEvents.begin(), g_access.focusEvents.end(), 2), g_access.focusEvents.end())
      << "EVENT_OBJECT_FOCUS for close";
  CoUninitialize();
}
