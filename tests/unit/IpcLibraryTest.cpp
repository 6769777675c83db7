// The IPC library the host has already loaded beside it: the module holds a reference of its own
// for as long as it uses the library, and gives it back afterwards.
#include <gtest/gtest.h>

#include <windows.h>

#include "TestFiles.h"
#include "vip/SheerIpcLibrary.h"

TEST(IpcLibrary, TheHostsLoadedLibraryIsHeldByAReferenceOfTheModulesOwn) {
  const std::wstring path = testing_support::ExecutableFolder() + L"tandipc.dll";
  ASSERT_EQ(GetModuleHandleW(path.c_str()), nullptr) << "nothing else in this process loads it";
  HMODULE host = LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  ASSERT_NE(host, nullptr);
  {
    sheer_vip::SheerIpcLibrary library(sheer_vip::SheerIpcLibrary::Locate());
    ASSERT_TRUE(library.loaded());
    FreeLibrary(host);  // the host lets its copy go
    ASSERT_EQ(GetModuleHandleW(path.c_str()), host) << "still loaded for the module";
    EXPECT_NE(library.NewBundle(), nullptr);
  }
  EXPECT_EQ(GetModuleHandleW(path.c_str()), nullptr) << "and given back with the library";
}
