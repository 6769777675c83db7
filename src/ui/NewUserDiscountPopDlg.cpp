#include "ui/NewUserDiscountPopDlg.h"

#include <algorithm>
#include <cstdio>
#include <ctime>

#include "strategy/PopFiles.h"
#include "strategy/PopLocalState.h"
#include "utils/Log.h"
#include "utils/TextEncoding.h"
#include "uxwin/control/CUxStorageImage.h"
#include "uxwin/host/UxNotifyRecord.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplusHeaders.h"
#include "uxwin/style/UxFontPool.h"
#include "uxwin/style/UxTextMeasurer.h"
#include "vanta/OfferFields.h"

namespace ui {

using namespace vanta::offer;

namespace {

constexpr int kBackground = 1001, kClose = 1002, kConfirm = 1003, kCountDown = 1004;
constexpr int kHours = 1005, kMinutes = 1006, kSeconds = 1007;
constexpr int kPriceGroup = 1030, kPayPrice = 1031, kPeriod = 1032, kReferencePrice = 1033, kPerMonth = 1034;
constexpr int kReferenceBlock = 1035;
constexpr int kStrikeInset = 5;  // the strike-through's distance from the block's ends in the layout

std::wstring Format(const wchar_t* format, double value) {
  wchar_t text[64];
  std::swprintf(text, 64, format, value);
  return text;
}

}  // namespace

NewUserDiscountPopDlg::NewUserDiscountPopDlg(std::shared_ptr<IPopDlgServices> services)
    : services_(std::move(services)) {}

NewUserDiscountPopDlg::~NewUserDiscountPopDlg() {
  // Normally stopped already by the controller; make sure without logging it twice.
  if (state_) state_->RequestStop();
  worker_.Stop();
}

bool NewUserDiscountPopDlg::Initialize() {
  ZLOG(DEBUG) << L"NewUserDiscount dlg Initialize";
  // A fresh state each time: a worker from before is told to stop and keeps its own.
  const vipcenter::PayPriceInfo price = CurrentPrice();
  if (state_) state_->RequestStop();
  state_ = std::make_shared<PopWorkerState>(services_);
  state_->set_price(price);
  std::shared_ptr<PopWorkerState> state = state_;
  return worker_.Start([state] { PopWorkerState::Run(state); });
}

bool NewUserDiscountPopDlg::UnInitialize() {
  ZLOG(DEBUG) << L"NewUserDiscount dlg UnInitialize";
  if (!state_) return true;
  state_->RequestStop();
  worker_.Stop();
  return true;
}

int NewUserDiscountPopDlg::OfferInt(const vanta::OfferField& field) const {
  return services_->ConfigInt(field.name, field.defaultNumber);
}

vipcenter::PayPriceInfo NewUserDiscountPopDlg::CurrentPrice() const {
  return state_ ? state_->price() : vipcenter::PayPriceInfo{};
}

bool NewUserDiscountPopDlg::CanShow(PAGESDKUTIL::ActivityScene scene) {
  services_->TouchPriceSource();
  const bool show = services_->StrategyCanShow(scene, CurrentPrice());
  qaShow_ = show && services_->QaShow();
  return show;
}

PAGESDKUTIL::PopResult NewUserDiscountPopDlg::Show() {
  ZLOG(DEBUG) << L"NewUserDiscount dlg Show";
  result_ = 0;
  if (!RunModal()) return 0;
  return result_;
}

bool NewUserDiscountPopDlg::ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                                 LRESULT& result) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      result = 1;
      return true;
    case WM_NOTIFY: {
      const auto* record = reinterpret_cast<const UxNotifyRecord*>(lParam);
      if (!record || record->header.idFrom != UxNotifyCode::kIdentifier || record->header.code != UxNotifyCode::kCommand) {
        return false;
      }
      if (record->id == kClose) OnClose();
      if (record->id == kConfirm) OnConfirm();
      return record->id == kClose || record->id == kConfirm;
    }
    case WM_TIMER:
      if (wParam == kCountDownTimer) OnCountDownTick();
      if (wParam == kLoginPageTimer) OnLoginPage();
      result = 0;
      return true;
    case WM_DESTROY:
      KillTimer(hwnd, kCountDownTimer);
      return false;
    default:
      return false;
  }
}

void NewUserDiscountPopDlg::OnInitDialog() {
  if (qaShow_) {
    ZLOG(INFO) << L"NewUserDiscount QA show: no records, last_show_time not written";
  } else {
    services_->ReportPop(1, 0, 0);
    services_->RecordShown(_time64(nullptr));  // whatever happens to the window from now on
  }
  // Pictures that match their MD5 may still not decode, or miss when two URLs are equal: a window
  // without them would be invisible and unclickable, so it is not shown at all.
  if (!services_->ImagesValid() || !SetUpPictures()) {
    Finish(4);
  } else {
    SetUpCountDown();
    SetUpPrice();
  }
  if (OfferInt(kCountDownEnable) == 1) SetTimer(hwnd(), kCountDownTimer, 1000, nullptr);
}

void NewUserDiscountPopDlg::ReportPop(int adShow, int adClick) {
  if (!qaShow_) services_->ReportPop(adShow, adClick, 0);
}

bool NewUserDiscountPopDlg::SetUpPictures() {
  const std::wstring folder = services_->UtilFolder();
  const std::pair<int, const wchar_t*> pictures[] = {
      {kClose, strategy::kCloseImage}, {kBackground, strategy::kBackgroundImage}, {kConfirm, strategy::kConfirmImage}};
  for (const auto& [id, name] : pictures) {
    SetAttribute(id, "filepath", qm::encoding::WideToUtf8(folder + name));
    CUxWindow* control = FindChildByCmdID(id);
    if (!control || !control->IsClass("storageimage") || !static_cast<CUxStorageImage*>(control)->HasDrawablePicture()) {
      ZLOG(ERROR) << L"Image not drawable: " << folder << name;
      return false;
    }
  }
  return true;
}

void NewUserDiscountPopDlg::SetUpCountDown() {
  if (OfferInt(kCountDownEnable) != 1) return;
  if (OfferInt(kCountDownStyle) == 2) {
    for (const int id : {1008, 1009, 1010, kHours, kMinutes, kSeconds}) SetAttribute(id, "crtext", "FFFFFF");
    for (const int id : {1011, 1012, 1013}) SetAttribute(id, "skin", "count_down_bg_white");
  }
  SetVisible(kCountDown, true);
  countDown_ = PopCountDown{OfferInt(kCountDownHours), 0, 0};
  ShowCountDown();
}

void NewUserDiscountPopDlg::ShowCountDown() {
  SetText(kHours, PopCountDown::TwoDigits(countDown_.hours));
  SetText(kMinutes, PopCountDown::TwoDigits(countDown_.minutes));
  SetText(kSeconds, PopCountDown::TwoDigits(countDown_.seconds));
}

void NewUserDiscountPopDlg::SetUpPrice() {
  services_->TouchPriceSource();
  if (!services_->Host().HasPrice()) return SetVisible(kPriceGroup, false);
  const vipcenter::PayPriceInfo price = CurrentPrice();
  if (price.payPrice < 1 || price.referencePrice < 1) {
    SetVisible(kPriceGroup, false);
    ZLOG(ERROR) << L"update price ui failed, cause price is invalid";
    return;
  }
  SetVisible(kPriceGroup, true);
  SetVisible(kReferenceBlock, price.payPrice != price.referencePrice);
  SetText(kPayPrice, std::to_wstring(price.payPrice));
  SetText(kReferencePrice, L"\uffe5" + std::to_wstring(price.referencePrice));
  FitReferenceBlock();
  const int months = OfferInt(kPackageMonths);
  if (months <= 0) return;
  SetText(kPeriod, L"/" + std::to_wstring(months / 12) + L"\u5e74");
  const float perMonth = static_cast<float>(price.payPrice) / static_cast<float>(months);
  SetText(kPerMonth, Format(L"\u6bcf\u6708\u4ec5\u9700%.1f\u5143", perMonth));
}

void NewUserDiscountPopDlg::FitReferenceBlock() {
  CUxWindow* block = FindChildByCmdID(kReferenceBlock);
  CUxWindow* text = FindChildByCmdID(kReferencePrice);
  if (!block || !text) return;
  // The layout's minimum holds a short price; a longer one, or larger type, widens the block so the
  // price is drawn whole and the strike-through, inset at both ends, still crosses all of it.
  const SIZE line = UxTextMeasurer::MeasureLine(text->text(), text->GetFont(), UxFontPool::Instance());
  const UxWin::UxLayoutParam& base = block->layout();
  block->SetLayoutSize(std::max<int32_t>(base.minWidth, line.cx + 2 * block->ScaleByDpi(kStrikeInset)),
                       std::max<int32_t>(base.minHeight, line.cy));
}

void NewUserDiscountPopDlg::OnCountDownTick() {
  if (countDown_.IsOver()) {
    ReportPop(1, 3);
    Finish(3);
    return;
  }
  countDown_.Tick();
  BeginRedrawBatch();  // painted and pushed here, one frame for all the digits that changed
  ShowCountDown();
  EndRedrawBatch();
}

void NewUserDiscountPopDlg::OnClose() {
  ReportPop(1, 1);
  Finish(2);
}

void NewUserDiscountPopDlg::OnConfirm() {
  ReportPop(1, 2);
  const int months = OfferInt(kPackageMonths);
  const std::wstring query = months != 0 ? L"selected_month_length=" + std::to_wstring(months) : L"";
  const int userType = services_->VipState() == 3 ? 3 : services_->IsLogin() ? 2 : 1;
  if (!qaShow_) services_->ReportPurchase(userType);
  services_->OpenVipPage(2, kVipFrom, 0, query);
  if (services_->IsLogin()) {
    Finish(1);
  } else {
    SetTimer(hwnd(), kLoginPageTimer, 1000, nullptr);
  }
}

void NewUserDiscountPopDlg::OnLoginPage() {
  KillTimer(hwnd(), kLoginPageTimer);
  services_->VipState();
  services_->OpenVipPage(1, kVipFrom, 0, L"");
  Finish(1);
}

void NewUserDiscountPopDlg::Finish(PAGESDKUTIL::PopResult result) {
  result_ = result;
  RequestLoopExit();
}

void NewUserDiscountPopDlg::SetText(int id, const std::wstring& text) {
  // A tick changes one digit box in most seconds: the others keep their pixels.
  if (CUxWindow* control = FindChildByCmdID(id); control && control->text() != text) {
    control->set_text(text);
    RedrawControl(*control);
  }
}

void NewUserDiscountPopDlg::SetAttribute(int id, const char* name, const std::string& value) {
  if (CUxWindow* control = FindChildByCmdID(id)) {
    control->SetAttribute(name, value.c_str(), false);
    RedrawControl(*control);
  }
}

void NewUserDiscountPopDlg::SetVisible(int id, bool visible) {
  if (CUxWindow* control = FindChildByCmdID(id)) {
    control->SetVisible(visible);
    back_buffer().InvalidateAll();
    if (hwnd()) InvalidateRect(hwnd(), nullptr, FALSE);
  }
}

void NewUserDiscountPopDlg::OnAfterPaint(UxCanvas& canvas) {
  // A 1-pixel frame with cut corners around the client area; a repaint away from the edges
  // leaves it as it is.
  constexpr int kFrameBand = 4;
  const RECT inner{kFrameBand, kFrameBand, canvas.width() - kFrameBand, canvas.height() - kFrameBand};
  const RECT clip = canvas.ClipBox();
  if (clip.left >= inner.left && clip.top >= inner.top && clip.right <= inner.right && clip.bottom <= inner.bottom) {
    return;
  }
  const Gdiplus::REAL w = static_cast<Gdiplus::REAL>(canvas.width()), h = static_cast<Gdiplus::REAL>(canvas.height());
  const Gdiplus::PointF corners[] = {{3, 0},         {w - 4, 0},     {w - 1, 3}, {w - 1, h - 4}, {w - 4, h - 1},
                                     {3, h - 1},     {0, h - 4},     {0, 3},     {3, 0}};
  Gdiplus::Pen pen(Gdiplus::Color(0x6E, 0, 0, 0), 1.0f);
  canvas.graphics().DrawLines(&pen, corners, 9);
}

}  // namespace ui
