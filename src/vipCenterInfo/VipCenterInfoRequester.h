#pragma once

#include <map>
#include <string>

#include "product/ChannelInfo.h"
#include "utils/UxJson.h"
#include "vipCenterInfo/VipCenterContext.h"
#include "vipCenterInfo/VipCenterTypes.h"

namespace vipcenter {

// The VIP-centre client of one host product: the config interface gives the device's show ids,
// the price interface the price entries of one show id. The host classes supply the endpoints,
// bodies and headers.
class VipCenterInfoRequester {
 public:
  using Headers = std::map<std::string, std::string>;

  explicit VipCenterInfoRequester(VipCenterContext context);
  virtual ~VipCenterInfoRequester();

  // 0, -1 for a negative month, or the failing step's code.
  virtual int QueryPayPriceInfo(int month, PayPriceInfo& out);
  // 0, 10 show id or month below 1, 11 empty body, 12 transport, parse or no matching entry.
  virtual int QueryPriceByShowId(int showId, int month, PriceEntry& out);
  // 0, 1 device below 1 or bad input, 2 transport or unparsable answer, 3 bad "data", 4 no device.
  virtual int RequestShowId(int deviceNum, ShowIdInfo& out);
  virtual std::wstring GetConfigInterfaceUrl() = 0;
  virtual std::wstring GetPriceInterfaceUrl() = 0;
  virtual std::wstring BuildConfigRequestBody() = 0;
  virtual std::wstring BuildPriceRequestBody(int showId) = 0;
  virtual Headers BuildPriceRequestHeaders(const std::wstring& body) = 0;

  // -1 when url or body is empty (nothing sent), otherwise the HTTP client's result.
  int SendPostRequest(const std::wstring& url, const Headers& headers, const std::wstring& body,
                      std::wstring& response);
  // The service's answers are a few kilobytes; a longer one is refused before it is parsed.
  static constexpr size_t kMaxAnswerLength = 1u << 20;  // UTF-16 units
  // Parses an answer; one longer than kMaxAnswerLength is logged and leaves the document empty.
  static void ParseAnswer(const std::wstring& response, qm::UxJson::Document& document);
  // 0 found, -1 otherwise.
  int ParsePayPriceSettings(const qm::UxJson::Document& document, int month, PriceEntry& out);
  // 0, 1 bad input, 3 bad "data", 4 device not found.
  int ParseShowIdInfo(const qm::UxJson::Document& document, int deviceNum, ShowIdInfo& out);
  void FindFirstShowId(const qm::UxJson::Handle& entry, const std::wstring& key, int deviceNum, int& out);

  const product::ChannelInfo& channel() const { return channel_; }

 protected:
  // The config request's body, the same for every host but for the default "name".
  std::wstring ConfigBody(const wchar_t* defaultName);
  // The price request's body; the hosts differ in "token" and "with_permission_show".
  std::wstring PriceBody(int showId, bool withToken, bool withPermissionShow);
  VipCenterUser User() const;

  product::ChannelInfo channel_;
  VipCenterContext context_;
};

}  // namespace vipcenter
