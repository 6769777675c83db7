#include "uxwin/object/CUxObject.h"

#include <tinyxml2.h>

#include <cstring>

bool CUxObject::IsClass(const char* name) const { return name && std::strcmp(name, GetObjectClass()) == 0; }

void CUxObject::Load(const tinyxml2::XMLElement* element) {
  if (!element) return;
  for (const tinyxml2::XMLAttribute* attribute = element->FirstAttribute(); attribute; attribute = attribute->Next()) {
    SetAttribute(attribute->Name(), attribute->Value(), true);
  }
  OnAttributesLoaded();
}
