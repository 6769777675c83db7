#pragma once

#include <windows.h>

#include <memory>
#include <mutex>
#include <string>

#include "ui/IPopDlg.h"
#include "ui/IPopDlgServices.h"
#include "ui/PopCountDown.h"
#include "ui/PopWorkerState.h"
#include "ui/ResourceWorker.h"
#include "uxwin/host/CUxDialogViewImplEx.h"
#include "vanta/OfferFields.h"

namespace ui {

// The new-user discount pop-up: layout 100 in a layered window with its pictures, count-down and
// price, shown modally at the exit scene; a background worker keeps the price and pictures fresh.
class NewUserDiscountPopDlg : public CUxDialogViewImplEx<NewUserDiscountPopDlg>, public PAGESDKUTIL::IPopDlg {
 public:
  static constexpr UINT_PTR kCountDownTimer = 100;
  static constexpr UINT_PTR kLoginPageTimer = 101;
  static constexpr int kVipFrom = 6411;

  explicit NewUserDiscountPopDlg(std::shared_ptr<IPopDlgServices> services);
  ~NewUserDiscountPopDlg() override;

  // IPopDlg
  bool Initialize() override;
  bool UnInitialize() override;
  bool CanShow(PAGESDKUTIL::ActivityScene scene) override;
  PAGESDKUTIL::PopResult Show() override;
  std::wstring GetName() override { return L"NewUserDiscountPopDlg"; }

  bool ProcessWindowMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // The price of the last refresh (the worker writes it, the window reads it).
  vipcenter::PayPriceInfo CurrentPrice() const;
  const PopCountDown& count_down() const { return countDown_; }
  bool worker_running() const { return worker_.IsRunning(); }

 protected:
  void OnAfterPaint(UxCanvas& canvas) override;

 private:
  void OnInitDialog();
  int OfferInt(const vanta::OfferField& field) const;  // a number of the offer's item
  void ReportPop(int adShow, int adClick);  // nothing on a QA show
  // False when a picture cannot be drawn (missing, undecodable, or too narrow for its frames).
  bool SetUpPictures();
  void SetUpCountDown();
  void SetUpPrice();
  void FitReferenceBlock();
  void ShowCountDown();
  void OnCountDownTick();
  void OnClose();
  void OnConfirm();
  void OnLoginPage();
  void Finish(PAGESDKUTIL::PopResult result);
  void SetText(int id, const std::wstring& text);
  void SetAttribute(int id, const char* name, const std::string& value);
  void SetVisible(int id, bool visible);

  std::shared_ptr<IPopDlgServices> services_;
  PAGESDKUTIL::PopResult result_ = 0;
  bool qaShow_ = false;  // the last CanShow passed over the audience for a QA machine
  PopCountDown countDown_;
  std::shared_ptr<PopWorkerState> state_;  // shared with the worker thread
  ResourceWorker worker_;
};

}  // namespace ui
