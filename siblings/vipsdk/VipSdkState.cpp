#include "vipsdk/VipSdkState.h"

#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "common/BehaviourFile.h"
#include "common/Journal.h"
#include "utils/FileUtil.h"
#include "utils/TextEncoding.h"
#include "utils/UxJson.h"

namespace siblings {

bool VipSdkState::HasPrivilege(const std::wstring& name) const {
  return std::find(privileges.begin(), privileges.end(), name) != privileges.end();
}

std::string VipSdkState::Behaviour() {
  static const std::string behaviour = BehaviourFile::Read(L"vipsdk.behaviour");
  return behaviour;
}

void VipSdkState::WaitIfNotAnswering() {
  if (!NotAnswering()) return;
  const int milliseconds = std::atoi(Behaviour().c_str() + 9);
  if (milliseconds > 0) Sleep(static_cast<DWORD>(milliseconds));
}

std::wstring VipSdkState::Path() {
  return Journal::OwnFolder() + L"vipsdk.state.json";
}

std::string VipSdkState::ReadText() {
  std::string bytes;
  if (!qm::FileUtil::ReadAll(Path(), bytes)) return {};
  return bytes;
}

namespace {

// An object or array member as compact text, a string member as it stands.
bool MemberText(const UxJsonEx::Handle& member, std::wstring& text) {
  if (!member.IsValid() || member.Type() == UxJsonEx::kNull) return false;
  if (member.Type() == UxJsonEx::kString) {
    text = member.AsString();
  } else {
    member.Write(text, false);
  }
  return true;
}

}  // namespace

VipSdkState VipSdkState::Parse(const std::string& bytes) {
  VipSdkState state;
  UxJsonEx::Document doc;
  if (bytes.empty() || !doc.Parse(qm::encoding::Utf8ToWide(bytes)) || doc.Type() != UxJsonEx::kObject) return state;
  state.productLine = doc.Get(L"product_line").AsInt(1);
  state.interfaceVersion = doc.Get(L"interface_version").AsInt(8);
  state.loggedIn = doc.Get(L"logged_in").AsBool();
  state.vip = doc.Get(L"vip").AsBool();
  state.extended = doc.Get(L"extended").AsBool();
  const auto privileges = doc.Get(L"privileges");
  for (size_t i = 0; i < privileges.Size(); ++i) state.privileges.push_back(privileges.At(i).AsString());
  state.hasUserInfo = MemberText(doc.Get(L"user_info"), state.userInfoJson);
  state.hasVipList = MemberText(doc.Get(L"vip_list"), state.vipListJson);
  return state;
}

}  // namespace siblings
