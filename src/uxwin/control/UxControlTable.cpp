#include "uxwin/control/UxControlTable.h"

#include "uxwin/control/CUxImageWnd.h"
#include "uxwin/control/CUxLineViewEx.h"
#include "uxwin/control/CUxStatic.h"
#include "uxwin/control/CUxStorageImageBtn.h"
#include "uxwin/control/UxLinearLayout.h"
#include "uxwin/object/CUxDialog.h"

namespace {

template <class Control>
UxControlTable::Factory Make() {
  return [] { return std::unique_ptr<CUxWindow>(new Control()); };
}

}  // namespace

std::unique_ptr<CUxWindow> UxControlTable::CreateControl(const char* tag) {
  if (!tag) return nullptr;
  const auto found = entries_.find(tag);
  return found == entries_.end() ? nullptr : found->second();
}

UxControlTable& UxControlTable::BuiltIn() {
  static UxControlTable* const table = new UxControlTable({
      {"dlg", Make<CUxDialog>()},
      {"text", Make<CUxStatic>()},
      {"img", Make<CUxImageWnd>()},
      {"storageimage", Make<CUxStorageImage>()},
      {"storageimagebtn", Make<CUxStorageImageBtn>()},
  });
  return *table;
}

void UxControlTable::Install() { CUxContainerWnd::SetBuiltInControls(&BuiltIn()); }

CUxControlCreator::CUxControlCreator()
    : UxControlTable({
          {"lineviewex", Make<CUxLineViewEx>()},
          {"linearlayout", Make<UxWin::UxLinearLayout>()},
      }) {}
