// The module's domain-transfer client against the wexutil stand-in, copied into product folders.
#include <gtest/gtest.h>

#include "TestFiles.h"
#include "product/DomainTransferClient.h"

using product::DomainTransferClient;
using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

namespace {

std::wstring ProductFolderWithWexutil(const TempDir& dir, const std::string& rules) {
  EXPECT_TRUE(CopyFileW((testing_support::ExecutableFolder() + L"wexutil.dll").c_str(),
                        dir.File(L"wexutil.dll").c_str(), FALSE));
  EXPECT_TRUE(WriteBytes(dir.File(L"wexutil.map"), rules));
  return dir.path() + L"\\";
}

}  // namespace

TEST(DomainTransfer, RewritesMatchingUrlsAndHandsTheLibraryTheProduct) {
  TempDir dir;
  const std::wstring folder = ProductFolderWithWexutil(dir, "https://vip.example/\thttps://vip.partner.example/\r\n");
  {
    DomainTransferClient client(folder, 9);
    ASSERT_TRUE(client.HasTransfer());
    EXPECT_EQ(client.TransferUrl(L"https://vip.example/price?x=1"), L"https://vip.partner.example/price?x=1");
    EXPECT_EQ(client.TransferUrl(L"https://other.example/"), L"https://other.example/");
  }
  const std::string journal = ReadBytes(dir.File(L"wexutil.journal.jsonl"));
  EXPECT_NE(journal.find("\"call\":\"Initialize\""), std::string::npos) << journal;
  EXPECT_NE(journal.find("\"product_id\":\"9\""), std::string::npos) << journal;
  EXPECT_NE(journal.find("data\",\"product_id"), std::string::npos) << "data folder is the product folder + data";
  EXPECT_NE(journal.find("\"call\":\"Release\""), std::string::npos);
}

TEST(DomainTransfer, MissingOrRefusingLibraryLeavesUrlsUnchanged) {
  TempDir empty;
  DomainTransferClient absent(empty.path() + L"\\", 9);
  EXPECT_FALSE(absent.HasTransfer());
  EXPECT_EQ(absent.TransferUrl(L"https://vip.example/"), L"https://vip.example/");

  TempDir refusing;
  const std::wstring folder = ProductFolderWithWexutil(refusing, "https://vip.example/\thttps://x/\r\n");
  ASSERT_TRUE(WriteBytes(refusing.File(L"wexutil.refuse"), ""));
  DomainTransferClient refused(folder, 9);
  EXPECT_FALSE(refused.HasTransfer());
  EXPECT_EQ(refused.TransferUrl(L"https://vip.example/"), L"https://vip.example/");
}
