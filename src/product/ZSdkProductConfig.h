#pragma once

#include <string>

#include "family/DomainTransfer.h"

namespace product {

// The detected product as the domain-transfer library sees it.
class ZSdkProductConfig final : public qm::IProductConfig {
 public:
  ZSdkProductConfig(std::wstring productFolder, int productId)
      : productFolder_(std::move(productFolder)), dataFolder_(productFolder_ + L"data"), productId_(productId) {}

  int __stdcall IsValid() override { return 1; }
  const wchar_t* __stdcall DataFolder() override { return dataFolder_.c_str(); }
  const wchar_t* __stdcall ProductFolder() override { return productFolder_.c_str(); }
  int __stdcall ProductId() override { return productId_; }

 private:
  std::wstring productFolder_;
  std::wstring dataFolder_;
  int productId_;
};

// Collects what the library hands back for one transfer.
class ZSdkFuncCallBack final : public qm::IDomainTransfer::IFuncCallBack {
 public:
  void __stdcall SetResult(const wchar_t* text) override { result_ = text ? text : L""; }
  void __stdcall SetSecondResult(const wchar_t* text) override { secondResult_ = text ? text : L""; }

  const std::wstring& result() const { return result_; }
  const std::wstring& second_result() const { return secondResult_; }

 private:
  std::wstring result_;
  std::wstring secondResult_;
};

}  // namespace product
