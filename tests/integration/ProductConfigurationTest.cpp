// One simulated host installation per host type, laid out by the host fixture; the host's own
// executable (the demo host) prints what the module detects, as JSON.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "ChildProcess.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

using testing_support::ChildProcess;

namespace {

class InstalledHost : public ::testing::Test {
 protected:
  void TearDown() override {
    if (!root_.empty()) ChildProcess::Run(L"hostfixture.exe", L"remove --type 1 --root " + root_);
  }

  // Installs a host of this type and returns what its executable reports.
  void Install(int type, const std::wstring& options, const std::wstring& hostExe) {
    root_ = L"C:\\activity-hosts\\it" + std::to_wstring(type);
    ASSERT_EQ(ChildProcess::Run(L"hostfixture.exe",
                                L"install --type " + std::to_wstring(type) + L" --root " + root_ + L" " + options),
              0);
    std::string output;
    ASSERT_EQ(ChildProcess::RunCapturing(root_ + L"\\" + hostExe, L"--diagnose", output), 0);
    ASSERT_TRUE(report_.Parse(qm::encoding::Utf8ToWide(output))) << output;
  }

  std::wstring Text(const std::wstring& key) const { return report_.Get(key).AsString(L"<missing>"); }
  int64_t Number(const std::wstring& key) const { return report_.Get(key).AsInt64(-999); }
  int64_t Channel(const std::wstring& key) const { return report_.Get(L"channel").Get(key).AsInt64(-999); }
  std::wstring ChannelText(const std::wstring& key) const {
    return report_.Get(L"channel").Get(key).AsString(L"<missing>");
  }
  std::wstring Under(const std::wstring& relative) const { return root_ + L"\\" + relative; }

  std::wstring root_;
  UxJsonEx::Document report_;
};

}  // namespace

TEST_F(InstalledHost, Type1TessikWithIdentityFiles) {
  Install(1, L"--tid1 11 --tid2 12 --tod1 13 --tod2 14 --pid 15 --install-time 1700000000 --tryno 3",
          L"Tessik\\tessik.exe");
  EXPECT_EQ(Number(L"product_id"), 0);
  EXPECT_EQ(Text(L"product_folder"), Under(L"Tessik\\"));
  EXPECT_EQ(Number(L"host_type"), 1);
  EXPECT_EQ(Number(L"product_line"), 1);
  EXPECT_EQ(Text(L"application_folder"), Under(L"Tessik\\vipapp\\inkvert\\"));
  EXPECT_EQ(Text(L"reader_folder"), Under(L"Tessik\\app\\inkread\\"));
  EXPECT_EQ(Text(L"config_file"), Under(L"Tessik\\vipapp\\inkvert\\pdfconstcfg.dat"));
  EXPECT_EQ(Text(L"server_list_file"), Under(L"Tessik\\ressrc\\chs\\upfeed.svr"));
  EXPECT_EQ(Text(L"channel_key_path"), L"Software\\vendra\\Antivirus\\Channel");
  EXPECT_EQ(Channel(L"tid1"), 11);
  EXPECT_EQ(Channel(L"pid"), 15);
  EXPECT_EQ(Channel(L"installtime"), 1700000000);
  EXPECT_EQ(Channel(L"tryno"), 3);
  EXPECT_EQ(ChannelText(L"version"), L"12.3.0.4567");
  EXPECT_EQ(Number(L"vip_product_id"), 1);
  EXPECT_EQ(Text(L"brand_name"), L"Tessik");
}

TEST_F(InstalledHost, Type2OrbilantFolderGainsABackslash) {
  Install(2, L"--product-id 22 --tryno 9 --tid1-qword --tid1 77 --tid2 5", L"Orbilant\\orbilant.exe");
  EXPECT_EQ(Number(L"product_id"), 2);
  EXPECT_EQ(Text(L"product_folder"), Under(L"Orbilant\\"));
  EXPECT_EQ(Number(L"host_type"), 2);
  EXPECT_EQ(Number(L"product_line"), 0);
  EXPECT_EQ(Text(L"application_folder"), Under(L"Orbilant\\inkvert\\"));
  EXPECT_EQ(Text(L"reader_folder"), Under(L"Orbilant\\app\\inkread\\"));
  EXPECT_EQ(Text(L"server_list_file"), Under(L"Orbilant\\upfeed.svr"));
  EXPECT_EQ(Text(L"channel_key_path"), L"Software\\Yarrowsoft\\Orbilant\\Channel");
  EXPECT_EQ(Channel(L"tid1"), 0) << "an 8-byte value is ignored";
  EXPECT_EQ(Channel(L"tid2"), 5);
  EXPECT_EQ(Channel(L"tryno"), 9);
  EXPECT_EQ(Number(L"vip_product_id"), 22);
}

TEST_F(InstalledHost, Type3WystanFromForwardSlashUninstallString) {
  Install(3, L"--tid1 4294967295 --tryno 5 --svrid S-1 --uuid U-1 --account 1234 --channel-name wystanreg "
             L"--cache-dir wcache --scrambled-component-config",
          L"Quillon\\WystanPDF.exe");
  EXPECT_EQ(Number(L"product_id"), 9);
  EXPECT_EQ(Text(L"product_folder"), Under(L"Quillon\\"));
  EXPECT_EQ(Number(L"host_type"), 3);
  EXPECT_EQ(Text(L"installation_folder"), Under(L"Quillon\\"));
  EXPECT_EQ(Text(L"config_file"), Under(L"Quillon\\upfeed.svr"));
  EXPECT_EQ(Text(L"channel_key_path"), L"Software\\wystanreg") << "from the scrambled componentconfig.dat";
  EXPECT_NE(Text(L"local_config_file").find(L"\\wcache\\config.ini"), std::wstring::npos);
  EXPECT_EQ(Channel(L"tid1"), 4294967295LL);
  EXPECT_EQ(ChannelText(L"svrid"), L"S-1");
  EXPECT_EQ(ChannelText(L"uuid"), L"U-1");
  EXPECT_EQ(Number(L"vip_product_id"), 1234) << "13 sends the module to the .user account file";
  EXPECT_EQ(Number(L"purchase_product_id"), 13);
}

TEST_F(InstalledHost, Type3WithoutServerListOrPdfApplication) {
  Install(3, L"--no-server-list --no-pdf-application --account 1234", L"Quillon\\launcher.exe");
  EXPECT_EQ(Channel(L"tryno"), -1);
  EXPECT_EQ(ChannelText(L"version"), L"");
  EXPECT_EQ(Number(L"vip_product_id"), 111);
}

TEST_F(InstalledHost, Type4EditionAndProductLineFromTheServerList) {
  Install(4, L"--edition 4 --product-line 2 --tryno 1", L"PdfBuild\\WystanPDF.exe");
  EXPECT_EQ(Number(L"product_id"), 0);
  EXPECT_EQ(Number(L"host_type"), 4);
  EXPECT_EQ(Number(L"product_line"), 2);
  EXPECT_EQ(Text(L"installation_folder"), Under(L"PdfBuild\\"));
  EXPECT_EQ(Text(L"channel_key_path"), L"Software\\adobepdf");
  EXPECT_EQ(Number(L"vip_product_id"), 20);
}

TEST_F(InstalledHost, Type5AbProductWithoutAccount) {
  Install(5, L"--edition 5 --channel-name mychan --product-id 13 --ab-product 1", L"PdfBuild\\WystanPDF.exe");
  EXPECT_EQ(Number(L"host_type"), 5);
  EXPECT_EQ(Text(L"channel_key_path"), L"Software\\mychan");
  EXPECT_EQ(Number(L"vip_product_id"), 103);
  EXPECT_EQ(Number(L"purchase_product_id"), 103);
}

TEST_F(InstalledHost, Type6PageSdkBuild) {
  Install(6, L"--page-sdk-dir PaperKite --tid2 3", L"PageSdk\\pagesdkhost.exe");
  EXPECT_EQ(Number(L"host_type"), 6);
  EXPECT_EQ(Text(L"application_folder"), Under(L"PageSdk\\pdf\\"));
  EXPECT_EQ(Text(L"server_list_file"), L"");
  EXPECT_EQ(Channel(L"tryno"), -1);
  EXPECT_TRUE(report_.Get(L"page_sdk_present").AsBool());
  EXPECT_EQ(Number(L"sdk_value"), 14);
  EXPECT_EQ(Text(L"channel_key_path"), L"Software\\zpagesdk");
  EXPECT_EQ(Channel(L"tid2"), 3);
  EXPECT_EQ(Number(L"vip_product_id"), 6);
}

TEST_F(InstalledHost, Type7Fennick) {
  Install(7, L"--tryno 2 --install-time 1600000000", L"Fennick\\fennick.exe");
  EXPECT_EQ(Number(L"product_id"), 8);
  EXPECT_EQ(Number(L"host_type"), 7);
  EXPECT_EQ(Text(L"reader_folder"), Under(L"Fennick\\pdfreader\\"));
  EXPECT_EQ(Text(L"application_folder"), Under(L"Fennick\\pdfreader\\"));
  EXPECT_EQ(Text(L"channel_key_path"), L"Software\\fennick\\Channel");
  EXPECT_EQ(Channel(L"installtime"), 1600000000);
  EXPECT_EQ(ChannelText(L"version"), L"12.3.0.4567");
  EXPECT_EQ(Number(L"vip_product_id"), 7);
  EXPECT_EQ(Text(L"brand_name"), L"Fennick");
}
