#include "strategy/IPopStrategyWorld.h"

#include "strategy/PopImageChecker.h"
#include "strategy/PopLocalState.h"
#include "strategy/PopShownMemory.h"
#include "vanta/OfferFields.h"
#include "vanta/ZVantaWarpper.h"

namespace strategy {

std::wstring IPopStrategyWorld::LastShowTimeText(const std::wstring& utilFolder) {
  return PopLocalState::LastShowTimeText(utilFolder);
}

bool IPopStrategyWorld::ShownInProcess(const std::wstring& stateFile) {
  return PopShownMemory::ShownInProcess(stateFile);
}

long IPopStrategyWorld::LoginRemindPopTime(const std::wstring& localConfigFolder) {
  return PopLocalState::LoginRemindPopTime(localConfigFolder);
}

long IPopStrategyWorld::PdfPopTime(const std::wstring& localConfigFolder) {
  return PopLocalState::PdfPopTime(localConfigFolder);
}

std::wstring IPopStrategyWorld::QaUuidsText(const std::wstring& rawItem) {
  return vanta::ItemFieldText(rawItem, vanta::offer::kQaUuids.name, L"");
}

std::wstring IPopStrategyWorld::FileMd5(const std::wstring& path) { return PopImageChecker::FileMd5(path); }

}  // namespace strategy
