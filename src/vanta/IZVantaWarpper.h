#pragma once

#include <string>

namespace vanta {

class IBaseInterface;

// The module's view of the remote-configuration library: typed reads of items, fields, A/B
// groups and switches. Every read answers its default while the library is not loaded.
class IZVantaWarpper {
 public:
  virtual int Initialize() = 0;    // 0: 1 loaded and identified, 0 failed (not retried until Uninitialize)
  virtual int Uninitialize() = 0;  // 1: always 1
  virtual bool GetSwitch(const std::wstring& name, bool defaultValue) = 0;                          // 2
  virtual int GetABTestGroup(const std::wstring& name, int defaultGroup) = 0;                       // 3
  virtual bool GetRawConfig(const std::wstring& name, std::wstring& text) = 0;                      // 4
  virtual bool GetABTestParam(const std::wstring& name, const wchar_t* defaultText, std::wstring& text) = 0;  // 5
  virtual bool Update() = 0;                                                                        // 6
  virtual bool IsMethodSupported(const std::wstring& component, const std::wstring& method) = 0;    // 7
  virtual IBaseInterface* GetComponent(const std::wstring& name) = 0;                               // 8
  virtual int GetConfigInt(const std::wstring& item, const std::wstring& field, int defaultValue) = 0;  // 9
  // 10: a field of the item's JSON object; a member that is not a JSON string reads as "".
  virtual std::wstring& GetConfigString(std::wstring& text, const std::wstring& item, const std::wstring& field,
                                        const wchar_t* defaultText) = 0;

 protected:
  ~IZVantaWarpper() = default;
};

}  // namespace vanta
