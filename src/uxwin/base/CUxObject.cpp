#include "uxwin/base/CUxObject.h"

#include <tinyxml2.h>

#include <cstring>

bool CUxObject::IsClass(const char* name) const {
  return IsTag(name, GetObjectClass());
}

bool CUxObject::IsTag(const char* name, const char* tag) {
  return name && tag && std::strcmp(name, tag) == 0;
}

void CUxObject::Load(const tinyxml2::XMLElement* element) {
  if (!element) return;
  for (const tinyxml2::XMLAttribute* attribute = element->FirstAttribute(); attribute; attribute = attribute->Next()) {
    SetAttribute(attribute->Name(), attribute->Value(), true);
  }
  OnAttributesLoaded();
}
