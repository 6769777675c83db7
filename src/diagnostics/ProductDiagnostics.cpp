#include "diagnostics/ProductDiagnostics.h"

#include "product/ChannelReader.h"
#include "product/ProductDetector.h"
#include "product/ProductInfoLoader.h"
#include "utils/UxJson.h"
#include "vanta/ZVantaWarpper.h"

namespace diagnostics {

using namespace product;

namespace {

// Loads the host type's remote-configuration library as the module would and reads the offer's item.
void DescribeRemoteConfig(HostSystem& system, int hostType, int tryno, qm::json::Handle out) {
  const auto warpper = vanta::MakeWarpper(hostType, system);
  out[L"initialize"] = warpper->Initialize();
  const std::wstring item = L"new_user_discount_" + std::to_wstring(tryno);
  out[L"item"] = item;
  std::wstring raw;
  out[L"found"] = warpper->GetRawConfig(item, raw);
  out[L"raw"] = raw;
  out[L"ab_group"] = warpper->GetABTestGroup(item, -1);
  out[L"pop_version"] = warpper->GetConfigInt(item, L"pop_version", -1);
  warpper->Uninitialize();
}

}  // namespace

std::wstring ProductDiagnostics::Describe(HostSystem& system) {
  const DetectionResult detection = ProductDetector(system).Detect();
  ProductInfo info;
  ProductInfoLoader(system, detection).Load(info);
  ChannelReader reader(system, info);
  ChannelInfo channel;
  reader.ReadChannel(channel);

  UxJsonEx::Document doc;
  doc[L"product_id"] = detection.productId;
  doc[L"product_folder"] = detection.productFolder;
  doc[L"host_type"] = info.hostType;
  doc[L"product_line"] = info.productLine;
  doc[L"product_line_in_use"] = info.ProductLine();
  doc[L"sdk_value"] = info.sdkValue;
  doc[L"page_sdk_present"] = info.pageSdkPresent;
  doc[L"module_folder"] = info.moduleFolder;
  doc[L"installation_folder"] = info.installationFolder;
  doc[L"application_folder"] = info.applicationFolder;
  doc[L"reader_folder"] = info.readerFolder;
  doc[L"brand_name"] = info.brandName;
  doc[L"reader_display_name"] = info.readerDisplayName;
  doc[L"config_file"] = info.configFile;
  doc[L"server_list_file"] = info.serverListFile;
  doc[L"local_config_file"] = info.localConfigFile;
  doc[L"pdf_application"] = info.pdfApplication;
  doc[L"channel_key_path"] = reader.ChannelKeyPath();
  auto record = doc[L"channel"];
  record[L"tid1"] = static_cast<int64_t>(channel.tid1);
  record[L"tid2"] = static_cast<int64_t>(channel.tid2);
  record[L"tod1"] = static_cast<int64_t>(channel.tod1);
  record[L"tod2"] = static_cast<int64_t>(channel.tod2);
  record[L"pid"] = static_cast<int64_t>(channel.pid);
  record[L"installtime"] = static_cast<int64_t>(channel.installtime);
  record[L"tryno"] = channel.tryno;
  record[L"version"] = channel.version;
  record[L"svrid"] = channel.svrid;
  record[L"uuid"] = channel.uuid;
  DescribeRemoteConfig(system, info.hostType, channel.tryno, doc[L"remote_config"]);
  doc[L"vip_product_id"] = reader.VipProductId();
  doc[L"purchase_product_id"] = reader.PurchaseProductId();
  std::wstring text;
  doc.Write(text, true);
  return text;
}

}  // namespace diagnostics
