// The module's HTTP client over the network library stand-in, against the local service.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "HttpTestProduct.h"
#include "VipCenterLog.h"
#include "VipCenterService.h"
#include "network/ZTessikNetvok.h"
#include "product/DomainTransferClient.h"

using network::ZTessikNetvok;
using testing_support::HeaderValue;
using testing_support::HttpTestProduct;
using testing_support::JournalEntry;
using testing_support::VipCenterService;

namespace {

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// "https://<from>/" rules into the service's plain HTTP port.
std::string Rule(const std::wstring& from, const std::wstring& to) { return Narrow(from) + "\t" + Narrow(to) + "\n"; }

bool HasHeaderLine(const JournalEntry& entry, const std::wstring& line) {
  return entry.at(L"headers").find(line + L"\n") != std::wstring::npos;
}

class RecordingListener final : public network::IHttpProgressListener {
 public:
  int OnProgress(int flag, int value1, int value2, int, int) override {
    calls.push_back({flag, value1, value2});
    return cancel ? 1 : 0;
  }
  std::vector<std::vector<int>> calls;
  bool cancel = false;
};

class NetvokClient : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(service_.running()) << "the local VIP-centre service is not running"; }
  std::wstring Tag() const { return Wide(::testing::UnitTest::GetInstance()->current_test_info()->name()); }
  static std::wstring Wide(const char* text) { return std::wstring(text, text + strlen(text)); }

  VipCenterService service_;
};

}  // namespace

TEST_F(NetvokClient, MissingLibraryFailsEveryCallAtOnce) {
  HttpTestProduct empty({}, {}, false);
  ZTessikNetvok client(empty.folder(), {});
  std::string response = "untouched";
  EXPECT_EQ(client.Request(service_.HttpBase(L"default", Tag()) + L"x", "{}", 2, response), -1);
  EXPECT_EQ(response, "untouched");
  EXPECT_EQ(client.Download(service_.HttpBase(L"default", Tag()) + L"files/x", empty.folder() + L"x.bin"), -1);
  EXPECT_FALSE(testing_support::FileExists(empty.folder() + L"x.bin"));
  ZTessikNetvok noProduct(L"", {});
  EXPECT_EQ(noProduct.Request(L"http://127.0.0.1:1/", nullptr, 0, response), -1);
  EXPECT_EQ(noProduct.Download(L"http://127.0.0.1:1/", empty.folder() + L"y.bin"), -1);
  EXPECT_TRUE(service_.Requests(L"default", Tag()).empty());
}

TEST_F(NetvokClient, MissingRequestOrResponseObjects) {
  HttpTestProduct product;
  product.Mark(L"netvok.fail-response");
  const std::wstring url = service_.HttpBase(L"default", Tag()) + L"files/none";
  std::string response;
  EXPECT_EQ(product.MakeClient()->Request(url, "{}", 2, response), -3);
  // A download needs no response object.
  EXPECT_EQ(product.MakeClient()->Download(url, product.folder() + L"none.bin"), 404);
  product.Mark(L"netvok.fail-request");
  EXPECT_EQ(product.MakeClient()->Request(url, "{}", 2, response), -2);
  EXPECT_EQ(product.MakeClient()->Download(url, product.folder() + L"none.bin"), -2);
  EXPECT_EQ(service_.Requests(L"default", Tag()).size(), 1u);
}

TEST_F(NetvokClient, DefaultHeadersUnlessTheCallerSetsThemInAnyCase) {
  HttpTestProduct product;
  const std::wstring url = service_.HttpBase(L"default", Tag()) + L"echo";
  std::string response;
  ASSERT_EQ(product.MakeClient()->Request(url, "{\"a\":1}", 7, response), 0);
  EXPECT_EQ(response, "{\"ok\":true}");
  auto client = product.MakeClient();
  client->SetHeader("content-type", "text/plain");
  client->SetHeader("X-Later", "first");
  client->SetHeader("X-Later", "second");
  client->SetHeader(nullptr, "ignored");
  client->SetHeader("X-Null", nullptr);
  ASSERT_EQ(client->Request(url, "{}", 2, response), 0);

  const auto journal = product.Journal(L"Perform");
  ASSERT_EQ(journal.size(), 2u);
  EXPECT_TRUE(HasHeaderLine(journal[0], L"Content-Type: application/json"));
  EXPECT_TRUE(HasHeaderLine(journal[0], std::wstring(L"User-Agent: ") + Wide(ZTessikNetvok::kDefaultUserAgent)));
  EXPECT_EQ(journal[0].at(L"method"), L"POST");
  EXPECT_EQ(journal[0].at(L"timeout"), L"30");
  EXPECT_EQ(journal[0].at(L"progress"), L"1");
  EXPECT_EQ(journal[1].at(L"header_count"), L"3") << journal[1].at(L"headers");
  EXPECT_TRUE(HasHeaderLine(journal[1], L"content-type: text/plain"));
  EXPECT_TRUE(HasHeaderLine(journal[1], L"X-Later: second"));
  EXPECT_EQ(journal[1].at(L"headers").find(L"application/json"), std::wstring::npos);

  const auto received = service_.Requests(L"default", Tag());
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(HeaderValue(received[0], L"Content-Type"), L"application/json");
  EXPECT_EQ(HeaderValue(received[1], L"Content-Type"), L"text/plain");
  EXPECT_EQ(HeaderValue(received[1], L"User-Agent"), Wide(ZTessikNetvok::kDefaultUserAgent));
  EXPECT_EQ(received[0].body, L"{\"a\":1}");
}

TEST_F(NetvokClient, UserAgentOfTheCallerIgnoringCase) {
  HttpTestProduct product;
  auto client = product.MakeClient();
  client->SetHeader("USER-AGENT", "probe/1");
  std::string response;
  ASSERT_EQ(client->Request(service_.HttpBase(L"default", Tag()) + L"ua", nullptr, 0, response), 0);
  const auto journal = product.Journal(L"Perform");
  ASSERT_EQ(journal.size(), 1u);
  EXPECT_EQ(journal[0].at(L"method"), L"GET") << "no body, no POST";
  EXPECT_EQ(journal[0].at(L"header_count"), L"2");
  EXPECT_EQ(HeaderValue(service_.Requests(L"default", Tag()).at(0), L"User-Agent"), L"probe/1");
}

TEST_F(NetvokClient, OnlyAnExactHttpsPrefixGetsTheBundle) {
  HttpTestProduct product({}, service_.CertFile(L"ca.pem"));
  const std::wstring port = std::to_wstring(service_.httpsPort());
  std::string response;
  product.MakeClient()->Request(L"HTTPS://localhost:" + port + L"/s/default~" + Tag() + L"/a", "{}", 2, response);
  product.MakeClient()->Request(L" https://localhost:" + port + L"/s/default~" + Tag() + L"/b", "{}", 2, response);
  ASSERT_EQ(product.MakeClient()->Request(service_.HttpsBase(L"default", Tag()) + L"c", "{}", 2, response), 0);
  EXPECT_EQ(response, "{\"ok\":true}");

  const auto journal = product.Journal(L"Perform");
  ASSERT_EQ(journal.size(), 3u);
  EXPECT_EQ(journal[0].at(L"tls_bundle"), L"");
  EXPECT_EQ(journal[1].at(L"tls_bundle"), L"");
  EXPECT_EQ(journal[2].at(L"tls_bundle"), product.folder() + L"data\\cacert.pem");
  EXPECT_EQ(journal[2].at(L"tls_verify_peer"), L"1");
  EXPECT_EQ(journal[2].at(L"tls_verify_host"), L"1");
  const auto received = service_.Requests(L"default", Tag());
  ASSERT_FALSE(received.empty());
  EXPECT_TRUE(received.back().tls);
  EXPECT_EQ(received.back().body, L"{}");
}

TEST_F(NetvokClient, ServerOutsideTheBundleGetsNoBody) {
  HttpTestProduct product({}, service_.CertFile(L"other-ca.pem"));
  std::string response;
  EXPECT_EQ(product.MakeClient()->Request(service_.HttpsBase(L"default", Tag()) + L"secret", "{\"secret\":1}", 12,
                                          response),
            netvok::kFailureCertificate);
  EXPECT_TRUE(response.empty());
  HttpTestProduct noBundle;
  EXPECT_NE(noBundle.MakeClient()->Request(service_.HttpsBase(L"default", Tag()) + L"secret", "{\"secret\":2}", 12,
                                           response),
            0);
  for (const auto& request : service_.Requests(L"default", Tag())) {
    EXPECT_EQ(request.body.find(L"secret"), std::wstring::npos) << "a body reached an untrusted server";
  }
}

TEST_F(NetvokClient, DownloadDecidesOnHttpsBeforeTheTransferRequestAfterIt) {
  const std::wstring plainFiles = service_.HttpBase(L"default", Tag()) + L"files/";
  const std::wstring secureFiles = service_.HttpsBase(L"default", Tag()) + L"files/";
  HttpTestProduct product(Rule(L"https://images.example/", plainFiles) + Rule(L"http://plain.example/", secureFiles),
                          service_.CertFile(L"ca.pem"));
  CreateDirectoryW(service_.FilesFolder().c_str(), nullptr);
  const std::wstring name = L"pic-" + Tag() + L".png";
  ASSERT_TRUE(testing_support::WriteBytes(service_.FilesFolder() + L"\\" + name, std::string("\x89PNG\r\n\x1a\n", 8)));

  EXPECT_EQ(product.MakeClient()->Download(L"https://images.example/" + name, product.folder() + L"a.png"), 0);
  EXPECT_EQ(testing_support::ReadBytes(product.folder() + L"a.png"), std::string("\x89PNG\r\n\x1a\n", 8));
  std::string response;
  EXPECT_EQ(product.MakeClient()->Request(L"https://images.example/" + name, nullptr, 0, response), 0);
  EXPECT_EQ(product.MakeClient()->Request(L"http://plain.example/" + name, nullptr, 0, response), 0);
  EXPECT_EQ(response, std::string("\x89PNG\r\n\x1a\n", 8));

  const auto downloads = product.Journal(L"Download");
  ASSERT_EQ(downloads.size(), 1u);
  EXPECT_EQ(downloads[0].at(L"url"), plainFiles + name);
  EXPECT_EQ(downloads[0].at(L"tls_bundle"), product.folder() + L"data\\cacert.pem");
  const auto performs = product.Journal(L"Perform");
  ASSERT_EQ(performs.size(), 2u);
  EXPECT_EQ(performs[0].at(L"tls_bundle"), L"") << "rewritten to plain HTTP before the test";
  EXPECT_EQ(performs[1].at(L"url"), secureFiles + name);
  EXPECT_EQ(performs[1].at(L"tls_bundle"), product.folder() + L"data\\cacert.pem");
}

TEST_F(NetvokClient, FailedDownloadLeavesNoFile) {
  HttpTestProduct product;
  const std::wstring target = product.folder() + L"img.png";
  EXPECT_EQ(product.MakeClient()->Download(service_.HttpBase(L"default", Tag()) + L"files/missing.png", target), 404);
  EXPECT_FALSE(testing_support::FileExists(target));
  EXPECT_EQ(product.MakeClient()->Download(service_.HttpBase(L"file_500", Tag()) + L"files/x.png", target), 500);
  EXPECT_FALSE(testing_support::FileExists(target));
  EXPECT_NE(product.MakeClient()->Download(L"http://127.0.0.1:1/files/x.png", target), 0);
  EXPECT_FALSE(testing_support::FileExists(target));
}

TEST_F(NetvokClient, ProgressReachesTheListenerAndCanCancel) {
  HttpTestProduct product;
  RecordingListener listener;
  auto client = product.MakeClient();
  client->SetProgressListener(&listener);
  std::string response;
  ASSERT_EQ(client->Request(service_.HttpBase(L"default", Tag()) + L"p", "{\"k\":12345}", 11, response), 0);
  ASSERT_GE(listener.calls.size(), 2u);
  EXPECT_EQ(listener.calls.front(), (std::vector<int>{0, 11, 11})) << "send progress carries flag 0";
  EXPECT_EQ(listener.calls.back(), (std::vector<int>{1, 11, 11})) << "receive progress carries flag 1";

  listener.cancel = true;
  EXPECT_EQ(client->Request(service_.HttpBase(L"default", Tag()) + L"p", nullptr, 0, response),
            netvok::kFailureCancelled);
}

// A library that hands out no TLS settings: nothing goes to an "https://" address unchecked.
TEST_F(NetvokClient, HttpsWithoutTlsSettingsIsNotSent) {
  HttpTestProduct product({}, service_.CertFile(L"ca.pem"));
  product.Mark(L"netvok.fail-tls");
  std::string response;
  EXPECT_EQ(product.MakeClient()->Request(service_.HttpsBase(L"default", Tag()) + L"a", "{\"secret\":1}", 12, response),
            ZTessikNetvok::kNoTlsSettings);
  EXPECT_TRUE(response.empty());
  EXPECT_TRUE(testing_support::LoggedByThisThread(L"no TLS settings from the network library, request not sent"));
  const std::wstring file = product.folder() + L"x.png";
  EXPECT_EQ(product.MakeClient()->Download(service_.HttpsBase(L"default", Tag()) + L"files/x.png", file),
            ZTessikNetvok::kNoTlsSettings);
  EXPECT_FALSE(testing_support::FileExists(file));
  // Plain HTTP asks for no TLS settings.
  EXPECT_EQ(product.MakeClient()->Request(service_.HttpBase(L"default", Tag()) + L"b", "{}", 2, response), 0);
  EXPECT_EQ(service_.Requests(L"default", Tag()).size(), 1u);
}

// A product folder of a lone "\" (no product found) names the drive root: neither the network
// library nor the domain-transfer library is taken from there.
TEST_F(NetvokClient, LoneBackslashFolderLoadsNothingFromTheDriveRoot) {
  const std::wstring work = L"C:\\activity-plant-" + std::to_wstring(GetCurrentProcessId());
  const wchar_t* const planted[] = {L"netvok.dll", L"wexutil.dll"};
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(CreateDirectoryW(work.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
  ASSERT_TRUE(SetCurrentDirectoryW(work.c_str()));
  for (const wchar_t* name : planted) {
    EXPECT_TRUE(CopyFileW((testing_support::ExecutableFolder() + name).c_str(), (std::wstring(L"C:\\") + name).c_str(),
                          FALSE));
  }
  {
    ZTessikNetvok client(L"\\", {});
    std::string response;
    EXPECT_EQ(client.Request(L"http://127.0.0.1:1/", nullptr, 0, response), -1);
    product::DomainTransferClient transfer(L"\\", 0);
    EXPECT_FALSE(transfer.HasTransfer());
  }
  SetCurrentDirectoryW(previous);
  RemoveDirectoryW(work.c_str());
  for (const wchar_t* name : {L"netvok.dll", L"wexutil.dll", L"netvok.journal.jsonl", L"wexutil.journal.jsonl"}) {
    DeleteFileW((std::wstring(L"C:\\") + name).c_str());
  }
}
