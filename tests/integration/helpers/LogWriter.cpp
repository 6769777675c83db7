// Test helper: writes log lines through the module's logger, as a host process would.
// usage: logwriter <tag> <lines-per-severity> [payload-width]
#include <string>

#include "utils/Log.h"

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) return 2;
  const std::wstring tag = argv[1];
  const int lines = _wtoi(argv[2]);
  const std::wstring payload(argc > 3 ? static_cast<size_t>(_wtoi(argv[3])) : 0, L'.');
  for (int i = 0; i < lines; ++i) {
    ZLOG(DEBUG) << tag << L" debug " << i << payload;
    ZLOG(INFO) << tag << L" info " << i << payload;
    ZLOG(WARNING) << tag << L" warning " << i << payload;
    ZLOG(ERROR) << tag << L" error " << i << payload;
  }
  return 0;
}
