#include "vipCenterInfo/VipCenterInfoRequester.h"

#include "utils/Log.h"
#include "utils/TextEncoding.h"

namespace vipcenter {

using qm::UxJson::Document;
using qm::UxJson::Handle;
using qm::json::Kind;

namespace {

bool IsNonEmptyContainer(const Handle& handle) {
  return (handle.kind() == Kind::Array || handle.kind() == Kind::Object) && handle.Size() > 0;
}

bool HasUsableRoot(const Document& document) {
  return document.root() != nullptr && document.kind() != Kind::Null;
}

int IntegerOr0(const Handle& handle) { return handle.kind() == Kind::Long ? handle.AsInt(0) : 0; }

}  // namespace

VipCenterInfoRequester::VipCenterInfoRequester(VipCenterContext context)
    : channel_(context.channel), context_(std::move(context)) {}

VipCenterInfoRequester::~VipCenterInfoRequester() = default;

int VipCenterInfoRequester::QueryPayPriceInfo(int month, PayPriceInfo& out) {
  ZLOG(DEBUG) << L"QueryPayPriceInfo start, month=" << month;
  if (month < 0) return -1;
  ShowIdInfo ids;
  int result = RequestShowId(1, ids);
  if (result != 0) {
    ZLOG(ERROR) << L"RequestShowId failed: " << result;
    return result;
  }
  PriceEntry normal;
  result = QueryPriceByShowId(ids.normal, month, normal);
  if (result != 0) {
    ZLOG(ERROR) << L"QueryPriceByShowId failed: " << result;
    return result;
  }
  out.payPrice = out.referencePrice = normal.currentPrice;
  PriceEntry coupon;
  // Without a coupon price the normal one stands.
  if (ids.coupon > 0 && QueryPriceByShowId(ids.coupon, month, coupon) == 0) out.payPrice = coupon.currentPrice;
  ZLOG(DEBUG) << L"QueryPayPriceInfo success";
  return 0;
}

int VipCenterInfoRequester::QueryPriceByShowId(int showId, int month, PriceEntry& out) {
  if (showId < 1 || month < 1) return 10;
  const std::wstring body = BuildPriceRequestBody(showId);
  if (body.empty()) return 11;
  const Headers headers = BuildPriceRequestHeaders(body);
  std::wstring response;
  if (SendPostRequest(GetPriceInterfaceUrl(), headers, body, response) != 0) return 12;
  Document document;
  ParseAnswer(response, document);
  if (!document.root()) return 12;
  return ParsePayPriceSettings(document, month, out) == 0 ? 0 : 12;
}

int VipCenterInfoRequester::RequestShowId(int deviceNum, ShowIdInfo& out) {
  ZLOG(DEBUG) << L"RequestShowId with device=" << deviceNum;
  if (deviceNum < 1) {
    ZLOG(ERROR) << L"Invalid parameter: device=" << deviceNum;
    return 1;
  }
  const std::wstring body = BuildConfigRequestBody();
  std::wstring response;
  int result = SendPostRequest(GetConfigInterfaceUrl(), Headers(), body, response);
  if (result == 0) {
    Document document;
    ParseAnswer(response, document);
    if (document.root()) return ParseShowIdInfo(document, deviceNum, out);
    result = -1;
  }
  ZLOG(ERROR) << L"RequestConfigInterface failed: " << result;
  return 2;
}

int VipCenterInfoRequester::SendPostRequest(const std::wstring& url, const Headers& headers,
                                            const std::wstring& body, std::wstring& response) {
  if (url.empty() || body.empty()) return -1;
  const std::string bytes = qm::encoding::WideToUtf8(body);
  std::string answer;
  int result = 0;
  if (context_.post) {
    result = context_.post(url, bytes, answer);
  } else {
    std::unique_ptr<network::ZTessikNetvok> client = context_.makeClient ? context_.makeClient() : nullptr;
    if (!client) return -1;
    for (const auto& [name, value] : headers) client->SetHeader(name.c_str(), value.c_str());
    client->SetHeader("Content-Type", "application/json; charset=utf-8");
    client->SetHeader("Accept", "application/json");
    result = client->Request(url, bytes.data(), bytes.size(), answer);
  }
  if (result == 0) {
    response = qm::encoding::Utf8ToWide(answer);
  } else {
    ZLOG(ERROR) << L"SendPostRequest failed: " << result;
  }
  return result;
}

void VipCenterInfoRequester::ParseAnswer(const std::wstring& response, Document& document) {
  // An answer made to be slow to parse must not hold the refresh (and Uninitialize) for minutes.
  if (response.size() > kMaxAnswerLength) {
    ZLOG(ERROR) << L"Response too large, not parsed: " << response.size() << L" characters";
    return;
  }
  document.Parse(response);
}

int VipCenterInfoRequester::ParsePayPriceSettings(const Document& document, int month, PriceEntry& out) {
  out = PriceEntry();
  if (!HasUsableRoot(document)) {
    ZLOG(ERROR) << L"Invalid settings result handle";
    return -1;
  }
  const Handle settings = document.Get(L"pay_price_settings");
  if (!IsNonEmptyContainer(settings)) {
    ZLOG(ERROR) << L"Invalid pay_price_settings array";
    return -1;
  }
  for (size_t i = 0; i < settings.Size(); ++i) {
    const Handle entry = settings.At(i);
    if (!entry.IsValid() || IntegerOr0(entry.Get(L"month_length")) != month) continue;
    out.currentPrice = IntegerOr0(entry.Get(L"current_price"));
    out.price = IntegerOr0(entry.Get(L"price"));
    ZLOG(INFO) << L"Found price info for month_length " << month << L": current_price=" << out.currentPrice
               << L", price=" << out.price;
    return 0;
  }
  ZLOG(INFO) << L"No price info found for month_length: " << month;
  return -1;
}

int VipCenterInfoRequester::ParseShowIdInfo(const Document& document, int deviceNum, ShowIdInfo& out) {
  if (!HasUsableRoot(document) || deviceNum < 1) {
    ZLOG(ERROR) << L"Invalid parameters for ParseShowIdInfo";
    return 1;
  }
  out = ShowIdInfo();
  const Handle data = document.Get(L"data");
  if (!IsNonEmptyContainer(data)) {
    ZLOG(ERROR) << L"Invalid data array";
    return 3;
  }
  for (size_t i = 0; i < data.Size(); ++i) {
    const Handle entry = data.At(i);
    const Handle device = entry.Get(L"device_num");
    if (!entry.IsValid() || device.kind() != Kind::Long || device.AsInt(0) != deviceNum) continue;
    FindFirstShowId(entry, L"normal_show", deviceNum, out.normal);
    FindFirstShowId(entry, L"coupon_show", deviceNum, out.coupon);
    ZLOG(DEBUG) << L"ParseShowIdInfo succeeded for device=" << deviceNum;
    return 0;
  }
  ZLOG(ERROR) << L"Device number not found: " << deviceNum;
  return 4;
}

void VipCenterInfoRequester::FindFirstShowId(const Handle& entry, const std::wstring& key, int deviceNum, int& out) {
  const Handle shows = entry.Get(key);
  if (!IsNonEmptyContainer(shows)) return;
  out = IntegerOr0(shows.At(0));
  ZLOG(DEBUG) << L"Found " << key << L": " << out << L" for device_num: " << deviceNum;
}

std::wstring VipCenterInfoRequester::ConfigBody(const wchar_t* defaultName) {
  const VipCenterUser user = User();
  Document body;
  body[L"common"][L"open_id"] = user.openId;
  body[L"common"][L"token"] = user.token;
  body[L"common"][L"server_id"] = channel_.svrid;
  body[L"common"][L"tryno"] = std::to_wstring(channel_.tryno);
  const auto field = [this](const wchar_t* name, const wchar_t* defaultText) {
    return context_.configString ? context_.configString(name, defaultText) : std::wstring(defaultText);
  };
  body[L"type"] = field(L"config_api_type_param", L"device_upgrade_show");
  body[L"name"] = field(L"config_api_name_param", defaultName);
  std::wstring text;
  body.Write(text, false);
  return text;
}

std::wstring VipCenterInfoRequester::PriceBody(int showId, bool withToken, bool withPermissionShow) {
  const VipCenterUser user = User();
  Document body;
  Handle common = body[L"common"];
  common[L"uuid"] = channel_.uuid;
  common[L"server_id"] = channel_.svrid;
  common[L"user_agent"] = L"web";
  common[L"tryno"] = std::to_wstring(channel_.tryno);
  // The service has only ever received these as signed 32-bit numbers: a value of 2^31 or more
  // goes out negative, as the avoid-tids comparison also reads it.
  common[L"tid1"] = static_cast<int32_t>(channel_.tid1);
  common[L"tid2"] = static_cast<int32_t>(channel_.tid2);
  common[L"tod1"] = static_cast<int32_t>(channel_.tod1);
  common[L"tod2"] = static_cast<int32_t>(channel_.tod2);
  body[L"open_id"] = user.openId;
  if (withToken) body[L"token"] = user.token;
  body[L"show"].Resize(1);
  body[L"show"][0] = static_cast<int32_t>(showId);
  body[L"time_type"] = static_cast<int32_t>(0);
  body[L"is_continuous"] = static_cast<int32_t>(0);
  body[L"is_all"] = static_cast<int32_t>(1);
  if (withPermissionShow) body[L"with_permission_show"] = false;
  std::wstring text;
  body.Write(text, false);
  return text;
}

VipCenterUser VipCenterInfoRequester::User() const { return context_.user ? context_.user() : VipCenterUser(); }

}  // namespace vipcenter
