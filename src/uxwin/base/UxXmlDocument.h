#pragma once

#include <tinyxml2.h>

#include <string>

// Parses one of the engine's documents and hands back its root when it has the expected name.
class UxXmlDocument {
 public:
  // Null when the text is not XML or its root element is named otherwise.
  const tinyxml2::XMLElement* Parse(const std::string& xml, const char* rootName);

 private:
  tinyxml2::XMLDocument doc_;
};
