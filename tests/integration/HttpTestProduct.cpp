#include "HttpTestProduct.h"

#include <windows.h>

namespace testing_support {

HttpTestProduct::HttpTestProduct(const std::string& rules, const std::wstring& bundle, bool withNetvok)
    : folder_(dir_.path() + L"\\") {
  if (withNetvok) CopyFileW((ExecutableFolder() + L"netvok.dll").c_str(), (folder_ + L"netvok.dll").c_str(), FALSE);
  if (!rules.empty()) {
    CopyFileW((ExecutableFolder() + L"wexutil.dll").c_str(), (folder_ + L"wexutil.dll").c_str(), FALSE);
    WriteBytes(folder_ + L"wexutil.map", rules);
  }
  if (!bundle.empty()) {
    CreateDirectoryW((folder_ + L"data").c_str(), nullptr);
    CopyFileW(bundle.c_str(), (folder_ + L"data\\cacert.pem").c_str(), FALSE);
  }
  transfer_ = std::make_unique<product::DomainTransferClient>(folder_, 1);
}

std::unique_ptr<network::ZTessikNetvok> HttpTestProduct::MakeClient() {
  product::DomainTransferClient* transfer = transfer_.get();
  return std::make_unique<network::ZTessikNetvok>(
      folder_, [transfer](const std::wstring& url) { return transfer->TransferUrl(url); });
}

std::vector<JournalEntry> HttpTestProduct::Journal(const std::wstring& call) const {
  return ReadJournal(folder_ + L"netvok.journal.jsonl", call);
}

void HttpTestProduct::Mark(const std::wstring& name) const { WriteBytes(folder_ + name, ""); }

}  // namespace testing_support
