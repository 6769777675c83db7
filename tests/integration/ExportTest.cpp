#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <regex>
#include <string>

#include "ScopedLogLevel.h"
#include "TestFiles.h"
#include "family/ActivityInterfaces.h"

using namespace PAGESDKUTIL;
using testing_support::ExecutableFolder;

namespace {

using DllGetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, LPVOID*);

// The built module, loaded by path as a host loads it.
class ModuleExport : public ::testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(ModulePath().c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    ASSERT_NE(module_, nullptr) << GetLastError();
    factory_ = reinterpret_cast<DllGetClassObjectFn>(
        reinterpret_cast<void*>(GetProcAddress(module_, "DllGetClassObject")));
    ASSERT_NE(factory_, nullptr);
  }
  void TearDown() override {
    if (module_) FreeLibrary(module_);
  }
  static std::wstring ModulePath() { return ExecutableFolder() + L"pagesdkutil.dll"; }
  static std::wstring ModuleLog() { return ExecutableFolder() + L"log\\integration_export.pagesdkutil.dll.log"; }

  IActivityUtil* Create() {
    void* out = nullptr;
    EXPECT_EQ(factory_(GUID{}, kActivityInterfaceId, &out), S_OK);
    return static_cast<IActivityUtil*>(out);
  }

  HMODULE module_ = nullptr;
  DllGetClassObjectFn factory_ = nullptr;
};

}  // namespace

TEST_F(ModuleExport, RejectsAnyOtherInterfaceIdAndLeavesTheOutPointer) {
  for (size_t byte : {0u, 5u, 15u}) {
    GUID other = kActivityInterfaceId;
    reinterpret_cast<unsigned char*>(&other)[byte] ^= 0x01;
    void* out = reinterpret_cast<void*>(0x1234);
    EXPECT_EQ(factory_(kActivityInterfaceId, other, &out), static_cast<HRESULT>(0x80004005)) << byte;
    EXPECT_EQ(out, reinterpret_cast<void*>(0x1234));
  }
}

TEST_F(ModuleExport, EveryCallHandsOutANewControllerWhateverTheClassId) {
  const GUID someClass = {0x12345678, 0x1, 0x2, {3, 4, 5, 6, 7, 8, 9, 10}};
  void* first = nullptr;
  void* second = nullptr;
  ASSERT_EQ(factory_(someClass, kActivityInterfaceId, &first), S_OK);
  ASSERT_EQ(factory_(GUID{}, kActivityInterfaceId, &second), S_OK);
  EXPECT_NE(first, second);
  EXPECT_EQ(static_cast<IActivityUtil*>(first)->QueryConstant(), 1);
  static_cast<IActivityUtil*>(first)->Release();
  static_cast<IActivityUtil*>(second)->Release();
}

TEST_F(ModuleExport, HostSessionWritesTheControllersDebugLines) {
  testing_support::ScopedLogLevel debugLines(0);
  const long long before = std::max(0LL, testing_support::FileSizeOf(ModuleLog()));
  IActivityUtil* activity = Create();
  ASSERT_NE(activity, nullptr);
  EXPECT_TRUE(activity->Initialize());
  for (bool initial : {true, false}) {
    bool flag = initial;
    EXPECT_FALSE(activity->ShowExitSceneActivityDlg(0, &flag));
    EXPECT_EQ(flag, initial);
  }
  EXPECT_TRUE(activity->Uninitialize());
  activity->Release();

  // The controller's own lines, in order; the pop-up and its parts log between them.
  std::string text;
  const std::string all = testing_support::ReadBytes(ModuleLog()).substr(static_cast<size_t>(before));
  for (size_t start = 0, end; (end = all.find("\r\n", start)) != std::string::npos; start = end + 2) {
    const std::string line = all.substr(start, end + 2 - start);
    if (line.find("|ActivityUtil.cpp:") != std::string::npos) text += line;
  }
  EXPECT_NE(all.find("] NewUserDiscount dlg Initialize\r\n"), std::string::npos) << "the controller owns the pop-up";
  const std::string prefix = R"(\[\d+ *\|\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\|  DEBUG\|ActivityUtil\.cpp:\d+\] )";
  const std::regex session(prefix + "Initialize ActivityUtil start\r\n" + prefix +
                           "Initialize ActivityUtil finish\r\n(" + prefix +
                           "show exit scene activity dlg start\r\n" + prefix +
                           "show exit scene activity dlg finish\r\n){2}" + prefix +
                           "Uninitialize ActivityUtil start\r\n" + prefix + "Uninitialize ActivityUtil finish\r\n");
  EXPECT_TRUE(std::regex_match(text, session)) << text;
}

TEST_F(ModuleExport, CarriesAVersionResource) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(ModulePath().c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::string data(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(ModulePath().c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length));
  EXPECT_EQ(info->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(HIWORD(info->dwFileVersionMS), 1);
  wchar_t* name = nullptr;
  ASSERT_TRUE(VerQueryValueW(data.data(), L"\\StringFileInfo\\040904B0\\OriginalFilename",
                             reinterpret_cast<void**>(&name), &length));
  EXPECT_STREQ(name, L"pagesdkutil.dll");
}
