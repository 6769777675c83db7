#pragma once

#include <memory>
#include <string>

#include "common/Journal.h"
#include "family/Vanta.h"
#include "zvanta/VantaData.h"

namespace siblings {

// What every component shares: the data, the journal, and the base slots.
struct VantaContext {
  VantaData data;
  std::wstring dataPath;
  Journal journal{L"zvanta"};
};

template <class Interface>
class VantaComponent : public Interface {
 public:
  VantaComponent(VantaContext& context, const wchar_t* name) : context_(context), name_(name) {}
  virtual ~VantaComponent() = default;

  void* DeletingDestructor(unsigned int flags) override {
    if (flags & 1) delete this;
    return this;
  }
  bool Start() override { return true; }
  void Release() override {}  // owned by the root
  bool IsMethodSupported(const wchar_t*) override { return false; }
  vanta::IBaseInterface* GetComponent(const wchar_t*) override { return nullptr; }
  const wchar_t* Name() override { return name_; }

 protected:
  VantaContext& context_;
  const wchar_t* name_;
};

class RawComponent final : public VantaComponent<vanta::IRaw> {
 public:
  explicit RawComponent(VantaContext& context) : VantaComponent(context, L"raw") {}
  bool GetRawConfig(const wchar_t* name, BSTR* text) override;
};

class AbTestComponent final : public VantaComponent<vanta::IABTest> {
 public:
  explicit AbTestComponent(VantaContext& context) : VantaComponent(context, L"abtest") {}
  int GetGroup(const wchar_t* name, int defaultGroup) override;
  bool GetParam(const wchar_t* name, const wchar_t* defaultText, BSTR* text) override;
};

class SwitchComponent final : public VantaComponent<vanta::ISwitch> {
 public:
  explicit SwitchComponent(VantaContext& context) : VantaComponent(context, L"switch") {}
  bool GetSwitch(const wchar_t* name, bool defaultValue) override;
};

class UpdateComponent final : public VantaComponent<vanta::IUpdate> {
 public:
  explicit UpdateComponent(VantaContext& context) : VantaComponent(context, L"update") {}
  bool Update() override;  // reads the data file again
};

// Journals every identity setter with its slot and value.
class ConfigComponent final : public VantaComponent<vanta::IConfig> {
 public:
  explicit ConfigComponent(VantaContext& context) : VantaComponent(context, L"config") {}
  bool IsMethodSupported(const wchar_t* method) override;
  bool SetSvrId(const wchar_t* v) override { return Record(6, v); }
  bool SetProductId(const wchar_t* v) override { return Record(7, v); }
  bool SetProductName(const wchar_t* v) override { return Record(8, v); }
  bool SetPackageName(const wchar_t* v) override { return Record(9, v); }
  bool SetTryNo(const wchar_t* v) override { return Record(10, v); }
  bool SetTid1(const wchar_t* v) override { return Record(11, v); }
  bool SetTid2(const wchar_t* v) override { return Record(12, v); }
  bool SetTod1(const wchar_t* v) override { return Record(13, v); }
  bool SetTod2(const wchar_t* v) override { return Record(14, v); }
  bool SetIid(const wchar_t* v) override { return Record(15, v); }
  bool SetUuid(const wchar_t* v) override { return Record(16, v); }
  bool SetChannelKind(const wchar_t* v) override { return Record(17, v); }
  bool SetCityNumber(const wchar_t* v) override { return Record(18, v); }
  bool SetRelativeRegPath(const wchar_t* v) override { return Record(19, v); }

 private:
  bool Record(int slot, const wchar_t* value);
};

}  // namespace siblings
