#include "VipCenterTestHost.h"

#include "vipCenterInfo/OrbilantVipCenterInfoRequester.h"
#include "vipCenterInfo/TessikVipCenterInfoRequester.h"

namespace testing_support {

namespace {

std::string Narrow(const std::wstring& text) {
  return std::string(text.begin(), text.end());
}

}  // namespace

std::unique_ptr<vipcenter::VipCenterInfoRequester> VipCenterTestHost::Requester(int hostType,
                                                                                const std::wstring& serviceBase,
                                                                                int tryno) {
  product_ = std::make_unique<HttpTestProduct>("https://vipcenter.tessik.example/\t" + Narrow(serviceBase) + "t/\n" +
                                               "https://vip.orbilant.example/\t" + Narrow(serviceBase) + "o/\n");
  vipcenter::VipCenterContext context;
  context.channel.tid1 = 11;
  context.channel.tid2 = 12;
  context.channel.tod1 = 13;
  context.channel.tod2 = 4000000000u;
  context.channel.tryno = tryno;
  context.channel.svrid = L"svr-9";
  context.channel.uuid = L"uuid-1";
  context.user = [] { return vipcenter::VipCenterUser{L"open-\u00fc\u7528", L"tok-1"}; };
  HttpTestProduct* product = product_.get();
  context.makeClient = [product] { return product->MakeClient(); };
  if (hostType == 1) return std::make_unique<vipcenter::TessikVipCenterInfoRequester>(std::move(context));
  return std::make_unique<vipcenter::OrbilantVipCenterInfoRequester>(std::move(context));
}

}  // namespace testing_support
