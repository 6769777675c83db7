#include "uxwin/control/CUxStatic.h"

bool CUxStatic::IsClass(const char* name) const {
  return IsTag(name, "text") || CUxWindow::IsClass(name);
}
