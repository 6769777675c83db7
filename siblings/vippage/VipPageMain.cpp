// The VIP page program stand-in: records its command line and ends.
#include <windows.h>

#include "common/Journal.h"

int wmain(int, wchar_t**) {
  siblings::Journal(L"vippage").Append(L"run", {{L"command_line", GetCommandLineW()}});
  return 0;
}
