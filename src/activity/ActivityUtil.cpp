#include "activity/ActivityUtil.h"

#include "product/ProductInfo.h"
#include "product/ProductInfoLoader.h"
#include "utils/Log.h"
#include "vanta/ZVantaWarpper.h"
#include "ui/NewUserDiscountPopDlg.h"
#include "ui/PopDlgServices.h"
#include "vip/CPDFVipSdkAdapter.h"
#include "vipCenterInfo/VipCenterUserSource.h"

namespace PAGESDKUTIL {

ActivityUtil::ActivityUtil() : ActivityUtil(&ActivityUtil::CreateProductPops) {}

ActivityUtil::ActivityUtil(PopFactory popFactory) : popFactory_(std::move(popFactory)) {}

ActivityUtil::~ActivityUtil() = default;

PopList ActivityUtil::CreateProductPops() {
  return {std::make_shared<ui::NewUserDiscountPopDlg>(std::make_shared<ui::PopDlgServices>())};
}

void* ActivityUtil::DeletingDestructor(unsigned int flags) {
  if (flags & 1) {
    delete this;
  } else {
    this->~ActivityUtil();
  }
  return this;
}

void ActivityUtil::Release() { delete this; }

namespace {

// No exception may reach the host: each operation ends here instead.
void LogEscapedException(const wchar_t* operation) noexcept {
  try {
    ZLOG(ERROR) << operation << L" stopped by an exception";
  } catch (...) {
  }
}

}  // namespace

bool ActivityUtil::Initialize() {
  try {
    InitializeSteps();
  } catch (...) {
    LogEscapedException(L"Initialize");
  }
  return true;
}

bool ActivityUtil::Uninitialize() {
  try {
    UninitializeSteps();
  } catch (...) {
    LogEscapedException(L"Uninitialize");
  }
  return true;
}

bool ActivityUtil::ShowExitSceneActivityDlg(ActivityScene scene, bool* shownNotAccepted) {
  try {
    return ShowExitScene(scene, shownNotAccepted);
  } catch (...) {
    LogEscapedException(L"ShowExitSceneActivityDlg");
    return false;
  }
}

void ActivityUtil::InitializeSteps() {
  ZLOG(DEBUG) << L"Initialize ActivityUtil start";
  // No skin engine here: most launches never show the pop-up (see UxEngine::WarmUp).
  product::ProductInfoLoader::LoadCurrent();
  vip::CPDFVipSdkAdapter::Instance().Initialize();
  // The VIP-centre requests carry the logged-in user's open id and token.
  vipcenter::VipCenterUserSource::Connect([] {
    vip::CPDFVipSdkAdapter& facade = vip::CPDFVipSdkAdapter::Instance();
    return vipcenter::VipCenterUser{facade.OpenId(), facade.Token()};
  });
  vanta::CurrentWarpper().Initialize();
  for (auto& pop : popFactory_()) pops_.push_back(std::move(pop));
  for (const auto& entry : pops_) {
    const std::shared_ptr<IPopDlg> pop = entry;  // held for the duration of the call
    pop->Initialize();
  }
  ZLOG(DEBUG) << L"Initialize ActivityUtil finish";
}

void ActivityUtil::UninitializeSteps() {
  ZLOG(DEBUG) << L"Uninitialize ActivityUtil start";
  // The list keeps its entries until the controller is destroyed.
  for (const auto& pop : pops_) pop->UnInitialize();
  vipcenter::VipCenterUserSource::Connect({});
  vip::CPDFVipSdkAdapter::Instance().ReleaseAdapter();
  // A later Initialize loads the product configuration again.
  product::ProductInfo::Instance().loaded = false;
  vanta::CurrentWarpper().Uninitialize();
  ZLOG(DEBUG) << L"Uninitialize ActivityUtil finish";
}

bool ActivityUtil::ShowExitScene(ActivityScene scene, bool* shownNotAccepted) {
  ZLOG(DEBUG) << L"show exit scene activity dlg start";
  std::shared_ptr<IPopDlg> chosen;
  for (const auto& entry : pops_) {
    std::shared_ptr<IPopDlg> pop = entry;
    if (pop->CanShow(scene)) {
      chosen = std::move(pop);
      break;
    }
  }
  if (!chosen) {
    ZLOG(DEBUG) << L"show exit scene activity dlg finish";
    return false;
  }
  const PopResult result = chosen->Show();
  ZLOG(DEBUG) << L"show pop dlg is " << chosen->GetName() << L", show pop dlg ret is " << result;
  if (!IsShownResult(result)) {
    // Nobody saw a pop-up: the host must not skip its own exit prompt on our account.
    ZLOG(ERROR) << L"pop dlg " << chosen->GetName() << L" was not shown (ret " << result
                << L": its window could not be created); exit scene answered not shown";
    return false;
  }
  if (shownNotAccepted) *shownNotAccepted = result != 1;
  return true;
}

}  // namespace PAGESDKUTIL
