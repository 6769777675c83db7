#pragma once

#include <optional>
#include <string>

namespace demo {

struct DemoOptions {
  int scene = 1;
  // "LogLevel" written before the module loads; nothing means leave the registry alone.
  std::optional<unsigned long> logLevel = 0;
  std::wstring modulePath;  // empty: pagesdkutil.dll beside the demo host
  bool showHelp = false;
  bool diagnose = false;  // print what the module detects about its host, as JSON, and stop

  // Parses wmain's arguments; false with a message in error for anything it does not know.
  bool Parse(int argc, wchar_t** argv, std::wstring& error);
  static const char* Usage();
};

}  // namespace demo
