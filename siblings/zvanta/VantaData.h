#pragma once

#include <map>
#include <string>

namespace siblings {

// What the remote-configuration stand-in serves, from "zvanta.json" beside it:
//   {"start": true, "supports_relative_reg_path": true,
//    "items": {"name": "item text (JSON as a string)" or {object}},
//    "groups": {"name": 2}, "params": {"name": "text"}, "switches": {"name": true}}
struct VantaData {
  bool start = true;
  bool supportsRelativeRegPath = true;
  std::map<std::wstring, std::wstring> items;
  std::map<std::wstring, int> groups;
  std::map<std::wstring, std::wstring> params;
  std::map<std::wstring, bool> switches;

  // False when the file is missing or not a JSON object; the data is then empty.
  bool Load(const std::wstring& path);
};

}  // namespace siblings
