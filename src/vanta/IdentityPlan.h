#pragma once

#include <string>
#include <utility>
#include <vector>

namespace vanta {

// The identity a product-config class hands the library: setter slots with their values, in
// call order, and the registry path of setter 19 (called only when the library supports it).
struct IdentityPlan {
  std::vector<std::pair<int, std::wstring>> setters;
  std::wstring relativeRegPath;
};

// Registry keys the identity is read from.
namespace identity_keys {
inline constexpr const wchar_t* kCategoryA =
    L"CLSID\\{387A0E1A-EB04-49D6-ADE2-A6C57F6D2736}\\Implemented Categories\\{AD5C5A19-F6F1-4B2F-B80E-AD28204A75E9}";
inline constexpr const wchar_t* kCategoryB =
    L"CLSID\\{9B7A98EC-7EF9-468c-ACC8-37C793DBD7E0}\\Implemented Categories\\{9B4EEDF7-FC98-4fa0-8440-9D1BC57B5F2F}";
inline constexpr const wchar_t* kCategoryC =
    L"CLSID\\{9B7A98EC-7EF9-468c-ACC8-37C793DBD7E0}\\Implemented Categories\\{A5F7140E-4311-4ef9-AABC-F55941B5EBE5}";
inline constexpr const wchar_t* kWystanUser = L"SOFTWARE\\quillon";                        // W, HKCU
inline constexpr const wchar_t* kOrbilantSetup = L"SOFTWARE\\Yarrowsoft\\Orbilant\\Setup";  // O, HKLM
inline constexpr const wchar_t* kOrbilantRoot = L"SOFTWARE\\Yarrowsoft\\Orbilant";          // HKLM, "UUID"
inline constexpr const wchar_t* kTessikSetup = L"SOFTWARE\\vendra\\Antivirus\\Setup";       // T, HKLM
}  // namespace identity_keys

}  // namespace vanta
