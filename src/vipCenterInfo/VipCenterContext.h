#pragma once

#include <functional>
#include <memory>
#include <string>

#include "network/ZTessikNetvok.h"
#include "product/ChannelInfo.h"
#include "vipCenterInfo/VipCenterUserSource.h"

namespace vipcenter {

// What a requester takes from the rest of the module: the channel record, string fields of the
// offer's remote-configuration item, the logged-in user and a fresh HTTP client per request.
struct VipCenterContext {
  using ConfigString = std::function<std::wstring(const std::wstring& field, const std::wstring& defaultText)>;
  using ClientFactory = std::function<std::unique_ptr<network::ZTessikNetvok>()>;
  // One POST answered without the network (a simulated service): the client's result, 0 on success.
  using Transport = std::function<int(const std::wstring& url, const std::string& body, std::string& answer)>;

  product::ChannelInfo channel;
  ConfigString configString;
  std::function<VipCenterUser()> user;
  ClientFactory makeClient;
  Transport post;  // when set, requests go here instead of through makeClient's clients

  // The running host's: its channel read now, the process's remote configuration, the
  // connected user source and clients over the detected product's network library.
  static VipCenterContext Current();
};

}  // namespace vipcenter
