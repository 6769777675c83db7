#pragma once

#include <string>

#include "family/Netvok.h"

namespace siblings {

// What a request was told about certificate checking.
class NetvokTlsSettings final : public netvok::ITlsSettings {
 public:
  int __stdcall Reserved0() override { return 0; }
  int __stdcall Reserved1() override { return 0; }
  int __stdcall Reserved2() override { return 0; }
  void __stdcall SetVerifyPeer(int on) override { verifyPeer_ = on != 0; }
  void __stdcall SetCaBundle(const wchar_t* pemPath) override { bundle_ = pemPath ? pemPath : L""; }
  int __stdcall Reserved5() override { return 0; }
  int __stdcall Reserved6() override { return 0; }
  int __stdcall Reserved7() override { return 0; }
  int __stdcall Reserved8() override { return 0; }
  int __stdcall Reserved9() override { return 0; }
  int __stdcall Reserved10() override { return 0; }
  void __stdcall SetVerifyHost(int on) override { verifyHost_ = on != 0; }

  bool verifyPeer() const { return verifyPeer_; }
  bool verifyHost() const { return verifyHost_; }
  const std::wstring& bundle() const { return bundle_; }

 private:
  bool verifyPeer_ = false;
  bool verifyHost_ = false;
  std::wstring bundle_;
};

}  // namespace siblings
