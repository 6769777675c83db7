#pragma once

#include <cstdint>
#include <string>

namespace strategy {

// An install time and where it was read from (for the explainer).
struct InstallTimeReading {
  uint32_t seconds = 0;  // 0 when the key or value is missing
  std::wstring source;
};

// The price the offer would show: whether the host needs one and what the last refresh got.
struct PriceReading {
  bool required = false;
  bool valid = false;
  int payPrice = 0;
  int referencePrice = 0;
  std::wstring source;  // where the figures come from
};

// Everything the new-user discount strategy reads from the world. Each call reads afresh.
class IPopStrategyWorld {
 public:
  virtual ~IPopStrategyWorld() = default;

  virtual int TryNo() = 0;
  // The configuration item's raw text; empty when it is missing.
  virtual std::wstring RawConfig(const std::wstring& item) = 0;
  virtual std::wstring ConfigString(const std::wstring& item, const std::wstring& field,
                                    const wchar_t* defaultText) = 0;
  virtual int ConfigInt(const std::wstring& item, const std::wstring& field, int defaultValue) = 0;
  virtual int AbGroup(const std::wstring& item, int defaultGroup) = 0;
  virtual InstallTimeReading InstallTime() = 0;
  virtual int64_t Now() = 0;  // seconds since 1970
  // The module's own folder for the offer (ends with a backslash).
  virtual std::wstring UtilFolder() = 0;
  // The host's local configuration folder (ends with a backslash).
  virtual std::wstring LocalConfigFolder() = 0;
  virtual int Tid1() = 0;
  virtual int Tid2() = 0;
  virtual int VipState() = 0;  // 1 logged out, 2 logged in, 3 VIP
  // The channel record's machine uuid; empty when the host has none.
  virtual std::wstring MachineUuid() { return {}; }
  // A world without a price source needs no price.
  virtual PriceReading Price() { return {}; }

  // The local files the strategy reads, by the paths it would read; the defaults read the real
  // files, a simulated world answers from the state it keeps.
  virtual std::wstring LastShowTimeText(const std::wstring& utilFolder);
  virtual bool ShownInProcess(const std::wstring& stateFile);
  virtual long LoginRemindPopTime(const std::wstring& localConfigFolder);
  virtual long PdfPopTime(const std::wstring& localConfigFolder);
  // The item's "qa_uuids" text, read from the item's text the strategy already holds.
  virtual std::wstring QaUuidsText(const std::wstring& rawItem);
  // A file's MD5 in hexadecimal; empty when it cannot be read.
  virtual std::wstring FileMd5(const std::wstring& path);
};

}  // namespace strategy
