#include "uxwin/control/CUxStatic.h"

#include <cstring>

bool CUxStatic::IsClass(const char* name) const {
  return (name && std::strcmp(name, "text") == 0) || CUxWindow::IsClass(name);
}
