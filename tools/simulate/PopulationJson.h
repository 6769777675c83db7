#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace simulate {

// A JSON value as a population file holds it: numbers with fractions (shares), which the
// module's own JSON classes do not read. Objects keep their members by name.
class PopulationJson {
 public:
  enum class Kind { kNull, kBool, kNumber, kString, kArray, kObject };

  // False with the position and what was expected on malformed text.
  static bool Parse(const std::string& utf8, PopulationJson& out, std::string& error);

  bool IsObject() const { return kind_ == Kind::kObject; }
  bool IsNumber() const { return kind_ == Kind::kNumber; }
  double number() const { return number_; }
  const std::map<std::string, PopulationJson>& members() const { return members_; }
  // The member, or null when missing or this is not an object.
  const PopulationJson* Find(const std::string& name) const;

 private:
  class Reader;

  Kind kind_ = Kind::kNull;
  double number_ = 0;
  std::string text_;
  std::vector<PopulationJson> elements_;
  std::map<std::string, PopulationJson> members_;
};

}  // namespace simulate
