#pragma once

// The module's two JSON generations: qm::UxJson reads numbers as 32-bit integers (VIP-centre
// requests), UxJsonEx as 64-bit (VIP SDK adapters). Both work on UTF-16 text.

#include "utils/json/JsonDocument.h"

namespace qm::UxJson {

using Handle = json::Handle;
using Error = json::Error;

class Document : public json::Document {
 public:
  Document() : json::Document(json::kDialect32) {}
  using json::Document::operator=;
};

enum TypeCode : int { kInvalid = 0, kNull = 1, kObject = 2, kBool = 3, kString = 4, kLong = 5, kArray = 7 };

}  // namespace qm::UxJson

namespace UxJsonEx {

using Handle = qm::json::Handle;
using Error = qm::json::Error;

class Document : public qm::json::Document {
 public:
  Document() : qm::json::Document(qm::json::kDialect64) {}
  using qm::json::Document::operator=;
};

enum TypeCode : int { kInvalid = 0, kNull = 1, kObject = 2, kBool = 3, kString = 4, kLong = 5, kLongLong = 6, kArray = 8 };

}  // namespace UxJsonEx
