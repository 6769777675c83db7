// Lays out (install) or removes a simulated host installation inside the Wine prefix.
#include <cstdio>

#include "FixtureOptions.h"
#include "HostFixture.h"

int wmain(int argc, wchar_t** argv) {
  fixture::FixtureOptions options;
  std::wstring error;
  if (!options.Parse(argc, argv, error)) {
    fwprintf(stderr, L"hostfixture: %ls\n", error.c_str());
    fputs(fixture::FixtureOptions::Usage(), stderr);
    return 2;
  }
  fixture::HostFixture host(options);
  const bool ok = options.command == L"install" ? host.Install(error) : host.Remove(error);
  if (!ok) {
    fwprintf(stderr, L"hostfixture: %ls\n", error.c_str());
    return 1;
  }
  return 0;
}
