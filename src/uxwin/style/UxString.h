#pragma once

#include <map>
#include <string>

// The string document: texts by id, referred to as "%strN%" in control texts.
class UxString {
 public:
  static UxString& Instance();

  // Root "string", children "s" with a decimal "id"; the first definition of an id wins.
  bool LoadDocument(const std::string& xml);
  std::wstring Get(int id) const;  // "" when absent
  // Replaces each "%str" N "%" (N positive) by string N; stops at the first reference that is not.
  std::wstring Substitute(const std::wstring& text) const;

 private:
  std::map<int, std::wstring> strings_;
};
