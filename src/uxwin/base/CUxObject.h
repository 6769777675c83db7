#pragma once

#include <cstdint>

namespace tinyxml2 {
class XMLElement;
}

// Anything configured from an XML element of the skin documents.
class CUxObject {
 public:
  static constexpr int32_t kOk = 0;
  static constexpr int32_t kFail = static_cast<int32_t>(0x80004005);

  CUxObject() = default;
  CUxObject(const CUxObject&) = delete;
  CUxObject& operator=(const CUxObject&) = delete;
  virtual ~CUxObject() = default;                      // 0
  virtual bool IsClass(const char* name) const;        // 1: the tag, or a base class's tag
  virtual const char* GetObjectClass() const = 0;      // 2
  // 3: SetAttribute for every attribute in document order, then OnAttributesLoaded.
  virtual void Load(const tinyxml2::XMLElement* element);
  virtual void OnAttributesLoaded() {}                                           // 4
  virtual int32_t SetAttribute(const char* name, const char* value, bool loading) = 0;  // 5

 protected:
  // Whether name is the tag; an IsClass override asks it for its own tag, then its base.
  static bool IsTag(const char* name, const char* tag);
};
