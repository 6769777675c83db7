// The network library stand-in on its own against two HTTPS servers (tests/fixtures/tlshops), one
// whose certificate the bundle trusts and one it does not: every hop's server is checked before
// anything of the request reaches it, and a download stops at its size limit.
#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>

#include "JournalReader.h"
#include "TestFiles.h"
#include "family/Netvok.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

namespace {

std::wstring Env(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(name, value, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::wstring(value, length) : std::wstring();
}

class NetvokHops : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", journal_.path().c_str());
    UxJsonEx::Document state;
    ASSERT_TRUE(state.Parse(qm::encoding::Utf8ToWide(testing_support::ReadBytes(State(L"state.json")))))
        << "the hop servers are not running";
    trusted_ = L"https://localhost:" + std::to_wstring(state.Get(L"trusted_port").AsInt());
    stranger_ = L"https://localhost:" + std::to_wstring(state.Get(L"stranger_port").AsInt());
    library_ = LoadLibraryW((testing_support::ExecutableFolder() + L"netvok.dll").c_str());
    ASSERT_NE(library_, nullptr);
    auto entry =
        reinterpret_cast<netvok::FactoryEntry>(reinterpret_cast<void*>(GetProcAddress(library_, "DllGetClassObject")));
    ASSERT_EQ(entry(&netvok::kFactoryClassId, &netvok::kFactoryInterfaceId, reinterpret_cast<void**>(&factory_)), S_OK);
  }
  void TearDown() override {
    if (factory_) factory_->Release();
    if (library_) FreeLibrary(library_);
    SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", nullptr);
  }

  static std::wstring State(const std::wstring& name) { return Env(L"TLSHOPS_STATE_DIR") + L"\\" + name; }
  // How many requests a listener has read the head of, with a path that starts so.
  static size_t Heard(const std::string& listener, const std::string& path) {
    std::istringstream lines(testing_support::ReadBytes(State(L"requests.jsonl")));
    size_t count = 0;
    for (std::string line; std::getline(lines, line);) {
      count += line.find("\"listener\": \"" + listener + "\"") != std::string::npos &&
               line.find("\"path\": \"" + path) != std::string::npos;
    }
    return count;
  }
  static std::wstring Redirect(const std::wstring& from, const std::wstring& to, int code) {
    return from + L"/to?url=" + to + L"&code=" + std::to_wstring(code);
  }

  // A request set up as the module sets up an HTTPS one.
  netvok::IHttpRequest* NewRequest() {
    netvok::IHttpRequest* request = factory_->CreateRequest();
    request->SetTimeout(30);
    netvok::ITlsSettings* tls = request->TlsSettings();
    tls->SetVerifyPeer(1);
    tls->SetVerifyHost(1);
    tls->SetCaBundle(Env(L"TLSHOPS_CA").c_str());
    return request;
  }
  int Post(const std::wstring& url, const std::string& body, std::string& answer) {
    netvok::IHttpRequest* request = NewRequest();
    netvok::IHttpResponse* response = factory_->CreateResponse();
    const int result = request->Perform(url.c_str(), body.data(), static_cast<unsigned int>(body.size()), response);
    netvok::IBodyBuffer* buffer = response->Body();
    answer.assign(buffer->Data() ? buffer->Data() : "", buffer->Size());
    response->Release();
    request->Release();
    return result;
  }
  int Download(const std::wstring& url, const std::wstring& file) {
    netvok::IHttpRequest* request = NewRequest();
    const int result = request->Download(url.c_str(), 0, file.c_str());
    request->Release();
    return result;
  }
  std::vector<testing_support::JournalEntry> Refused() {
    return testing_support::ReadJournal(journal_.File(L"netvok.journal.jsonl"), L"refused");
  }

  testing_support::TempDir journal_;
  std::wstring trusted_;
  std::wstring stranger_;
  HMODULE library_ = nullptr;
  netvok::IHttpFactory* factory_ = nullptr;
};

TEST_F(NetvokHops, ARedirectToAnUntrustedServerSendsItNothing) {
  std::string answer;
  EXPECT_EQ(Post(Redirect(trusted_, stranger_ + L"/secret-one", 307), "token=1", answer), netvok::kFailureCertificate);
  EXPECT_EQ(Heard("trusted", "/to?"), 1u);
  EXPECT_EQ(Heard("stranger", "/secret-one"), 0u);
  const auto refused = Refused();
  ASSERT_EQ(refused.size(), 1u);
  EXPECT_NE(refused[0].at(L"reason").find(L"(hop 2)"), std::wstring::npos) << refused[0].at(L"reason");
}

TEST_F(NetvokHops, AnUntrustedFirstHopGetsNothingEither) {
  std::string answer;
  EXPECT_EQ(Post(stranger_ + L"/secret-two", "token=2", answer), netvok::kFailureCertificate);
  EXPECT_EQ(Heard("stranger", "/secret-two"), 0u);
  EXPECT_EQ(Refused().size(), 1u);
}

TEST_F(NetvokHops, TrustedHopsAreFollowed) {
  std::string answer;
  EXPECT_EQ(Post(Redirect(trusted_, trusted_ + L"/kept", 307), "abc", answer), 0);
  EXPECT_EQ(answer, "ok POST 3");
  EXPECT_EQ(Post(Redirect(trusted_, L"/dropped", 303), "abc", answer), 0);
  EXPECT_EQ(answer, "ok GET 0");
  EXPECT_TRUE(Refused().empty());
}

TEST_F(NetvokHops, DownloadsStopAtTheirLimit) {
  testing_support::TempDir folder;
  const std::wstring file = folder.File(L"picture.png");
  const std::wstring beyond = std::to_wstring(netvok::kMaxDownloadBytes + 1);
  EXPECT_EQ(Download(trusted_ + L"/bytes?n=" + beyond, file), netvok::kFailureTooLarge);
  EXPECT_FALSE(testing_support::FileExists(file));
  EXPECT_EQ(Download(trusted_ + L"/bytes?chunked=1&n=" + beyond, file), netvok::kFailureTooLarge);
  EXPECT_FALSE(testing_support::FileExists(file));
  EXPECT_EQ(Refused().size(), 2u);
  EXPECT_EQ(Download(trusted_ + L"/bytes?n=1000", file), 0);
  EXPECT_EQ(testing_support::FileSizeOf(file), 1000);
}

}  // namespace
