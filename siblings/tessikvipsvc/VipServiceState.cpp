#include "tessikvipsvc/VipServiceState.h"

#include "vipstate/VipStateFile.h"

namespace siblings {

void VipServiceState::Fill(tandipc::ITandIpcBundle& bundle, bool withRet) const {
  if (withRet && !omitRet) bundle.PutInt(L"ret", queryRet);
  bundle.PutString(L"open_id", openId.c_str());
  bundle.PutString(L"token", token.c_str());
  bundle.PutString(L"nick_name", nickName.c_str());
  bundle.PutString(L"avatar", avatar.c_str());
  bundle.PutInt(L"vip_type", vipType);
  bundle.PutInt(L"vaild_date", vaildDate);
  bundle.PutInt(L"from", from);
  bundle.PutInt(L"is_logout", isLogout);
  bundle.PutInt(L"is_tourist", isTourist);
  bundle.PutInt(L"is_continuous", isContinuous);
}

VipServiceState VipServiceState::Read() {
  VipServiceState state;
  UxJsonEx::Document doc;
  if (!VipStateFile::Read(doc)) return state;
  state.openId = doc.Get(L"open_id").AsString();
  state.token = doc.Get(L"token").AsString();
  state.nickName = doc.Get(L"nick_name").AsString();
  state.avatar = doc.Get(L"avatar").AsString();
  state.vipType = doc.Get(L"vip_type").AsInt();
  state.vaildDate = doc.Get(L"vaild_date").AsInt();
  state.from = doc.Get(L"from").AsInt();
  state.isLogout = doc.Get(L"is_logout").AsInt(1);
  state.isTourist = doc.Get(L"is_tourist").AsInt();
  state.isContinuous = doc.Get(L"is_continuous").AsInt();
  state.queryRet = doc.Get(L"query_ret").AsInt();
  state.omitRet = doc.Get(L"omit_ret").AsBool();
  return state;
}

}  // namespace siblings
