#include "tessikvipsvc/VipRequestCheck.h"

#include <cwchar>

namespace siblings {

namespace {

constexpr wchar_t kChannelPrefix[] = L"sheer_vip_ipc_Wraper_";
constexpr size_t kChannelDigits = 32;

// An int item answers the same whatever default is asked for; any other type answers the default.
bool HoldsInt(tandipc::ITandIpcBundle& bundle, const wchar_t* key) {
  return bundle.Has(key) && bundle.GetInt(key, 0) == bundle.GetInt(key, 1);
}

}  // namespace

bool VipRequestCheck::IsModuleChannel(const std::wstring& channel) {
  const std::wstring prefix = kChannelPrefix;
  if (channel.size() != prefix.size() + kChannelDigits || channel.compare(0, prefix.size(), prefix) != 0) {
    return false;
  }
  for (size_t i = prefix.size(); i < channel.size(); ++i) {
    const wchar_t c = channel[i];
    if (!((c >= L'0' && c <= L'9') || (c >= L'A' && c <= L'F'))) return false;
  }
  return true;
}

std::wstring VipRequestCheck::Registration(tandipc::ITandIpcBundle& request) {
  const wchar_t* channel = request.Has(L"notify_ipc") ? request.GetString(L"notify_ipc", nullptr) : nullptr;
  if (!channel) return L"notify_ipc missing or not a string";
  if (!IsModuleChannel(channel)) return L"notify_ipc is not a channel name of the module's form";
  if (!HoldsInt(request, L"is_regist")) return L"is_regist missing or not an int";
  const int32_t regist = request.GetInt(L"is_regist", 0);
  if (regist != 0 && regist != 1) return L"is_regist is neither 1 nor 0";
  if (request.Count() != 2) return L"keys besides notify_ipc and is_regist";
  return {};
}

std::wstring VipRequestCheck::Query(tandipc::ITandIpcBundle& request) {
  return request.Count() == 0 ? std::wstring() : L"a query carries no keys";
}

std::wstring VipRequestCheck::CommandLine(const std::wstring& commandLine, const std::wstring& ownPath) {
  size_t end = 0;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    end = commandLine.find(L'"', 1);
    if (end == std::wstring::npos) return L"the program's quote is not closed";
    ++end;
  } else if (!ownPath.empty() && _wcsnicmp(commandLine.c_str(), ownPath.c_str(), ownPath.size()) == 0) {
    end = ownPath.size();  // unquoted, the path may hold spaces
  } else {
    end = commandLine.find(L' ');
    if (end == std::wstring::npos) end = commandLine.size();
  }
  return commandLine.compare(end, std::wstring::npos, L" /runhide") == 0 ? std::wstring()
                                                                         : L"arguments other than \" /runhide\"";
}

}  // namespace siblings
