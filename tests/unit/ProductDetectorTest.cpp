#include <gtest/gtest.h>

#include "FakeHostSystem.h"
#include "TestFiles.h"
#include "product/PageSdkFile.h"
#include "product/ProductDetector.h"
#include "product/ProductInfoLoader.h"

using product::ProductDetector;
using testing_support::FakeHostSystem;

namespace {

const wchar_t kTessik[] = L"SOFTWARE\\vendra\\Antivirus";
const wchar_t kOrbilant[] = L"SOFTWARE\\Yarrowsoft\\Orbilant";
const wchar_t kQuillon[] = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Quillon";
const wchar_t kPageSdk[] = L"SOFTWARE\\Wystan\\PageSdk";

class Detection : public ::testing::Test {
 protected:
  void Tessik(const std::wstring& folder) { system.SetString(HKEY_LOCAL_MACHINE, kTessik, L"ProgramPath", folder); }
  void Orbilant(const std::wstring& folder) { system.SetString(HKEY_LOCAL_MACHINE, kOrbilant, L"AppPath", folder); }
  product::DetectionResult Detect() { return ProductDetector(system).Detect(); }

  FakeHostSystem system;
};

}  // namespace

TEST_F(Detection, InnerOfTwoNestedFoldersWins) {
  Tessik(L"C:\\Suite");
  Orbilant(L"C:\\Suite\\Drivers");
  system.executable = L"C:\\Suite\\Drivers\\orbilant.exe";
  EXPECT_EQ(Detect().productId, 2);
  EXPECT_EQ(Detect().productFolder, L"C:\\Suite\\Drivers\\");
  system.executable = L"C:\\Suite\\tessik.exe";
  EXPECT_EQ(Detect().productId, 0);
  EXPECT_EQ(Detect().productFolder, L"C:\\Suite\\");
}

TEST_F(Detection, EqualFoldersGoToTheFirstWithoutBackslashAndTheLaterWithOne) {
  system.executable = L"C:\\Shared\\host.exe";
  Tessik(L"C:\\Shared");
  Orbilant(L"C:\\Shared");
  EXPECT_EQ(Detect().productId, 0);
  Tessik(L"C:\\Shared\\");
  Orbilant(L"C:\\Shared\\");
  EXPECT_EQ(Detect().productId, 2);
  EXPECT_EQ(Detect().productFolder, L"C:\\Shared\\");
}

TEST_F(Detection, UninstallStringWithForwardSlashesAndAnyCase) {
  system.SetString(HKEY_LOCAL_MACHINE, kQuillon, L"UninstallString", L"C:/PROGRAM FILES/Q/uninst.exe");
  system.executable = L"c:\\program files\\q\\WystanPDF.exe";
  const auto result = Detect();
  EXPECT_EQ(result.productId, 9);
  EXPECT_EQ(result.productFolder, L"C:\\PROGRAM FILES\\Q\\");
  EXPECT_EQ(ProductDetector(system).FolderOf(9).value_or(L"-"), L"C:\\PROGRAM FILES\\Q");
}

TEST_F(Detection, NoMatchFallsBackToTheAntivirusFolderOrABackslash) {
  system.executable = L"D:\\elsewhere\\host.exe";
  EXPECT_EQ(Detect().productId, 0);
  EXPECT_EQ(Detect().productFolder, L"\\");
  Tessik(L"C:\\Tessik");
  EXPECT_EQ(Detect().productFolder, L"C:\\Tessik\\");
  // A plain prefix test: C:\app also contains C:\apps; and a longer antivirus folder that does
  // not contain the executable does not keep the matching one out.
  Orbilant(L"C:\\app");
  system.executable = L"C:\\apps\\x.exe";
  EXPECT_EQ(Detect().productId, 2);
  EXPECT_FALSE(ProductDetector(system).FolderOf(4).has_value());
  EXPECT_FALSE(ProductDetector(system).FolderOf(8).has_value());
}

TEST_F(Detection, QuotedFoldersAreUnquotedAndEmptyOnesCountAsAbsent) {
  system.SetString(HKEY_LOCAL_MACHINE, kQuillon, L"UninstallString", L"\"C:\\Program Files\\Q\\uninst.exe\" /S");
  Orbilant(L"\"C:\\Program Files\\Orb\"");
  system.executable = L"C:\\Program Files\\Q\\WystanPDF.exe";
  EXPECT_EQ(Detect().productId, 9);
  EXPECT_EQ(Detect().productFolder, L"C:\\Program Files\\Q\\");
  EXPECT_EQ(ProductDetector(system).FolderOf(2).value_or(L"-"), L"C:\\Program Files\\Orb");

  Orbilant(L"\"\"");
  EXPECT_FALSE(ProductDetector(system).FolderOf(2).has_value()) << "a quoted empty folder";
  Tessik(L"");
  EXPECT_FALSE(ProductDetector(system).FolderOf(0).has_value());
  system.executable = L"D:\\other\\host.exe";
  EXPECT_EQ(Detect().productFolder, L"\\") << "no antivirus folder to fall back on";
}

TEST_F(Detection, PageSdkRowIs18WithItsTagFileAnd101Without) {
  testing_support::TempDir dir;
  system.SetString(HKEY_LOCAL_MACHINE, kPageSdk, L"WorkPath", dir.path());
  system.executable = dir.File(L"sdkhost.exe");
  EXPECT_EQ(Detect().productId, 101);
  ASSERT_TRUE(testing_support::WriteBytes(dir.File(L"pagesdk.tag"), ""));
  EXPECT_EQ(Detect().productId, 18);
  EXPECT_EQ(Detect().productFolder, dir.path() + L"\\");
}

TEST(ProductInfoLoading, HostTypeAndProductLineComeFromTheServerListBesideTheModule) {
  testing_support::TempDir dir;
  FakeHostSystem system;
  system.module = dir.File(L"pagesdkutil.dll");
  const auto load = [&system] {
    product::ProductInfo info;
    product::ProductInfoLoader(system, product::DetectionResult{0, L"\\"}).Load(info);
    return info;
  };
  EXPECT_EQ(load().hostType, 1) << "no server list";
  EXPECT_EQ(load().productLine, 1);
  CreateDirectoryW(dir.File(L"ressrc").c_str(), nullptr);
  CreateDirectoryW(dir.File(L"ressrc\\chs").c_str(), nullptr);
  ASSERT_TRUE(testing_support::WriteBytes(dir.File(L"ressrc\\chs\\upfeed.svr"), "[common]\nEdition=0\n"));
  EXPECT_EQ(load().hostType, 1);
  ASSERT_TRUE(testing_support::WriteBytes(dir.File(L"upfeed.svr"), "[common]\nEdition=4\nProductLine=2\n"));
  product::ProductInfo info = load();
  EXPECT_EQ(info.hostType, 4);
  EXPECT_EQ(info.productLine, 2);
  EXPECT_EQ(info.installationFolder, dir.path() + L"\\");
  EXPECT_EQ(info.localConfigFile, L"C:\\users\\me\\AppData\\Local\\quillon\\config.ini");
  EXPECT_EQ(info.readerDisplayName, L"WystanPDF\u9605\u8bfb\u5668");
  ASSERT_TRUE(testing_support::WriteBytes(dir.File(L"upfeed.svr"), "[common]\nEdition=9\n"));
  info = load();
  EXPECT_EQ(info.hostType, 9) << "a type without a row keeps the defaults of a PDF build";
  EXPECT_EQ(info.applicationFolder, dir.path() + L"\\");
  EXPECT_EQ(info.localConfigFile, L"C:\\users\\me\\AppData\\Local\\quillon\\config.ini");
  EXPECT_EQ(info.configFile, dir.path() + L"\\pdfconstcfg.dat");
  ASSERT_TRUE(testing_support::WriteBytes(dir.File(L"upfeed.svr"), "[common]\nEdition=4\nProductLine=2\n"));

  // Hosts whose product id decides the type keep line 0 and read it again when asked.
  product::ProductInfo quillon;
  product::ProductInfoLoader(system, product::DetectionResult{9, dir.path() + L"\\"}).Load(quillon);
  EXPECT_EQ(quillon.hostType, 3);
  EXPECT_EQ(quillon.productLine, 0);
  EXPECT_EQ(quillon.ProductLine(), 2);
}

TEST(ProductInfoLoading, AntivirusHostWithoutIdentityFilesUsesItsComponentFolder) {
  testing_support::TempDir install;
  FakeHostSystem system;
  system.SetString(HKEY_LOCAL_MACHINE, kTessik, L"ProgramPath", install.path());
  const auto load = [&system] {
    product::ProductInfo info;
    product::ProductInfoLoader(system, product::DetectionResult{0, L"\\"}).Load(info);
    return info;
  };
  const std::wstring base = install.path() + L"\\";
  product::ProductInfo info = load();
  ASSERT_EQ(info.hostType, 1);
  EXPECT_EQ(info.readerFolder, base + L"pdfcomponent\\app\\inkread\\");
  EXPECT_EQ(info.applicationFolder, base + L"pdfcomponent\\vipapp\\inkvert\\");

  ASSERT_TRUE(testing_support::WriteBytes(install.File(L"zinkread.zid"), ""));
  info = load();
  EXPECT_EQ(info.readerFolder, base + L"app\\inkread\\") << "each identity file decides its own folder";
  EXPECT_EQ(info.applicationFolder, base + L"pdfcomponent\\vipapp\\inkvert\\");
}

TEST(ProductInfoLoading, PartnerEditionsMapToSdkValues) {
  EXPECT_EQ(product::PageSdkFile::PartnerValue(L"FoxLeaf"), 11);
  EXPECT_EQ(product::PageSdkFile::PartnerValue(L"inkbridge"), 10);
  EXPECT_EQ(product::PageSdkFile::PartnerValue(L"PAGEMILL"), 8);
  EXPECT_EQ(product::PageSdkFile::PartnerValue(L""), 0);
  EXPECT_EQ(product::PageSdkFile::PartnerValue(L"foxleaf2"), 0);
}
