#include <cstdio>
#include <exception>

#include "DemoHost.h"
#include "DemoOptions.h"

int wmain(int argc, wchar_t** argv) {
  demo::DemoOptions options;
  std::wstring error;
  if (!options.Parse(argc, argv, error)) {
    fwprintf(stderr, L"demohost: %ls\n", error.c_str());
    fputs(demo::DemoOptions::Usage(), stderr);
    return 2;
  }
  if (options.showHelp) {
    fputs(demo::DemoOptions::Usage(), stdout);
    return 0;
  }
  try {
    return demo::DemoHost(options).Run();
  } catch (const std::exception& e) {
    fprintf(stderr, "demohost: %s\n", e.what());
    return 3;
  }
}
