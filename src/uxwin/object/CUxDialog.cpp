#include "uxwin/object/CUxDialog.h"

#include "uxwin/layout/UxPositionLayout.h"

CUxDialog::CUxDialog() { SetLayoutStrategy(std::make_unique<UxPositionLayout>()); }

bool CUxDialog::IsClass(const char* name) const {
  return IsTag(name, "dlg") || CUxPanel::IsClass(name);
}

LONG CUxDialog::Resolve(const UxWin::UxPosition::Item& item, LONG start, LONG end) {
  return UxWin::UxPosition::Resolve(item, start, end);
}
