#pragma once

#include <memory>

#include "family/Tallo.h"
#include "report/IPDFTalloAdapter.h"
#include "report/ZTalloNoZfmtFileWrap.h"

namespace report {

// Host type 1: records go to the Tessik host's reporting client.
class CPDFTessikTalloAdapter final : public IPDFTalloAdapter {
 public:
  explicit CPDFTessikTalloAdapter(std::unique_ptr<ZTalloNoZfmtFileWrap> library);
  ~CPDFTessikTalloAdapter() override;
  CPDFTessikTalloAdapter(const CPDFTessikTalloAdapter&) = delete;
  CPDFTessikTalloAdapter& operator=(const CPDFTessikTalloAdapter&) = delete;

  bool Begin(const wchar_t* schema) override;
  bool SetInt(const wchar_t* name, int value) override;
  bool SetString(const wchar_t* name, const wchar_t* value) override;
  bool SubmitFallback(int mode) override;
  bool Submit() override;
  bool SetIntEx(const wchar_t* name, int value, int extra) override;

  bool HasClient() const { return client_ != nullptr; }

 private:
  std::unique_ptr<ZTalloNoZfmtFileWrap> library_;  // outlives the client
  tallo::ITalloClient2* client_ = nullptr;
};

}  // namespace report
