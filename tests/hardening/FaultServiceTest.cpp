// The local VIP-centre service answering badly: status 500, garbage, a body shorter than announced,
// 50 MiB, a body that never ends, or nothing for a minute; for the price and config interfaces
// (host type 2 asks for a price) and for the pictures (host type 3). The offer cannot show, the host
// survives, and no download is left behind.
#include <gtest/gtest.h>

#include "FaultHost.h"

namespace hardening_test {
namespace {

struct ServiceFault {
  const char* name;
  int type;
  const wchar_t* scenario;
  bool pictures;  // the fault is on the picture downloads, not on the price
  const wchar_t* more;
};

// The price and the pictures are fetched by the pop-up's worker; these faults end before the exit
// scene, the worker has finished and the exit scene finds no price or no pictures.
const ServiceFault kEndingFaults[] = {
    {"Price500", 2, L"price_500", false, L""},
    {"PriceGarbage", 2, L"price_garbage", false, L""},
    {"PriceTruncated", 2, L"price_truncated", false, L""},
    {"PriceHuge", 2, L"price_huge", false, L""},
    {"PriceConnectionClosed", 2, L"price_close", false, L""},
    {"Config500", 2, L"config_500", false, L""},
    {"ConfigGarbage", 2, L"config_garbage", false, L""},
    {"ConfigTruncated", 2, L"config_truncated", false, L""},
    {"ConfigHuge", 2, L"config_huge", false, L""},
    {"Pictures500", 3, L"file_500", true, L""},
    {"PicturesGarbage", 3, L"file_garbage", true, L""},
    {"PicturesTruncated", 3, L"file_truncated", true, L""},
    {"PicturesHuge", 3, L"file_huge", true, L""},
};

// These hold the worker in a request when the host leaves: the exit scene comes after 3 seconds
// and Uninitialize follows while the request still waits. The worker is left to end on its own.
const ServiceFault kHangingFaults[] = {
    {"PriceNeverEnds", 2, L"price_drip", false, L"--wait-refresh 3"},
    {"PriceSilentForAMinute", 2, L"price_silent", false, L"--wait-refresh 3"},
    {"ConfigNeverEnds", 2, L"config_drip", false, L"--wait-refresh 3"},
    {"ConfigSilentForAMinute", 2, L"config_silent", false, L"--wait-refresh 3"},
    {"PicturesNeverEnd", 3, L"file_drip", true, L"--wait-refresh 3"},
    {"PicturesSilentForAMinute", 3, L"file_silent", true, L"--wait-refresh 3"},
};

class FaultService : public ::testing::TestWithParam<ServiceFault> {
 protected:
  void Check() {
    const ServiceFault& fault = GetParam();
    FaultHost host(fault.type);
    FaultCampaign campaign;
    if (fault.pictures) {
      campaign.fileScenario = fault.scenario;
    } else {
      campaign.serviceScenario = fault.scenario;
    }
    ASSERT_TRUE(host.Install(campaign));
    const FaultRun run = host.Run(L"close", std::wstring(L"--wait-refresh 40 ") + fault.more);
    EXPECT_EQ(run.Problems(), "") << run.output;
    EXPECT_FALSE(run.shown) << run.output;
    // A download still running when the host ends is cut off with its temporary file, which the
    // next refresh overwrites; a finished one leaves nothing.
    const bool hanging = *fault.more != L'\0';
    if (!hanging) {
      EXPECT_FALSE(host.LeftTemporaryFiles());
    }
    EXPECT_TRUE(host.StateIsOldOrNew("", run));
    // The refusal is reported: no price (8) or pictures that do not match (6).
    const wchar_t* reason = fault.pictures ? L"noshowreason:int=6" : L"noshowreason:int=8";
    bool reported = false;
    for (const auto& record : host.Records()) reported = reported || record.at(L"fields").find(reason) != std::wstring::npos;
    EXPECT_TRUE(reported) << run.output;
  }
};

TEST_P(FaultService, HostSurvivesAndTheOfferWaits) { Check(); }

INSTANTIATE_TEST_SUITE_P(Ending, FaultService, ::testing::ValuesIn(kEndingFaults),
                         [](const ::testing::TestParamInfo<ServiceFault>& info) { return info.param.name; });
INSTANTIATE_TEST_SUITE_P(Hanging, FaultService, ::testing::ValuesIn(kHangingFaults),
                         [](const ::testing::TestParamInfo<ServiceFault>& info) { return info.param.name; });

}  // namespace
}  // namespace hardening_test
