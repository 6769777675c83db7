#include "FixtureOptions.h"

#include <cwchar>

#include "product/HostProfile.h"

namespace fixture {

namespace {

bool ToNumber(const std::wstring& text, long long& number) {
  wchar_t* end = nullptr;
  number = std::wcstoll(text.c_str(), &end, 10);
  return !text.empty() && end && *end == L'\0';
}

}  // namespace

const char* FixtureOptions::Usage() {
  return "usage: hostfixture install|remove --type N --root C:\\folder [options]\n"
         "  --tid1 N --tid2 N --tod1 N --tod2 N --pid N --install-time N   channel values (HKCU)\n"
         "  --family-row 5|101           record the installation folder as that family product\n"
         "  --first-open-time N          the reader's first start (HKLM, host types 1 and 2)\n"
         "  --tid1-qword                 write tid1 as an 8-byte value\n"
         "  --tryno N | --no-server-list the updater server list and its tryno\n"
         "  --edition N --product-line N the server list's Edition / ProductLine\n"
         "  --product-id N --ab-product N --account N   VIP product id sources\n"
         "  --channel-name NAME --cache-dir NAME         chan_name / reg_name, cache_dir\n"
         "  --scrambled-component-config  write cfgdata\\componentconfig.dat instead of .ini\n"
         "  --no-pdf-application --no-identity-files\n"
         "  --page-sdk-edition N --page-sdk-dir TEXT    zpagesdk.dat beside the module\n"
         "  --svrid TEXT --uuid TEXT      the CLSID category values (HKCR)\n"
         "  --wexutil [--wexutil-rule FROM TO]...        place wexutil.dll and its rules\n"
         "  --uid TEXT --idex TEXT --ob-uuid TEXT --iid N --city N   remote-configuration identity\n"
         "  --no-remote-config --no-relative-reg-path --remote-config FILE   zvanta.dll and its data\n"
         "  --helper-behaviour exit1|\"hang N\"         how quillhelper.exe answers a forced refresh\n"
         "  --vip-state FILE             the account of the VIP service, privilege store and account library\n"
         "                               (types 1 and 7; logged out without it)\n"
         "  --no-privilege-extra         type 1 without the privilege store's second library\n";
}

bool FixtureOptions::Parse(int argc, wchar_t** argv, std::wstring& error) {
  if (argc < 2) {
    error = L"missing command";
    return false;
  }
  command = argv[1];
  const std::map<std::wstring, bool*> flags = {{L"--tid1-qword", &tid1AsQword},
                                               {L"--no-server-list", &noServerList},
                                               {L"--scrambled-component-config", &scrambledComponentConfig},
                                               {L"--no-pdf-application", &noPdfApplication},
                                               {L"--no-identity-files", &noIdentityFiles},
                                               {L"--wexutil", &withWexutil},
                                               {L"--no-remote-config", &noRemoteConfig},
                                               {L"--no-relative-reg-path", &noRelativeRegPath},
                                               {L"--no-privilege-extra", &noPrivilegeExtra}};
  const std::map<std::wstring, std::optional<int>*> numbers = {
      {L"--tryno", &tryno},          {L"--edition", &edition},       {L"--product-line", &productLine},
      {L"--product-id", &productId}, {L"--ab-product", &abProduct},  {L"--account", &account},
      {L"--page-sdk-edition", &pageSdkEdition}, {L"--iid", &iid},           {L"--city", &city},
      {L"--first-open-time", &firstOpenTime}, {L"--family-row", &familyRow}};
  const std::map<std::wstring, std::optional<std::wstring>*> texts = {
      {L"--channel-name", &channelName}, {L"--cache-dir", &cacheDir}, {L"--page-sdk-dir", &pageSdkDir},
      {L"--svrid", &svrid},              {L"--uuid", &uuid},          {L"--uid", &uid},
      {L"--idex", &idex},                {L"--ob-uuid", &obUuid},     {L"--remote-config", &remoteConfigFile},
      {L"--helper-behaviour", &helperBehaviour}, {L"--vip-state", &vipStateFile}};
  const std::map<std::wstring, std::wstring> channelFields = {{L"--tid1", L"tid1"}, {L"--tid2", L"tid2"},
                                                              {L"--tod1", L"tod1"}, {L"--tod2", L"tod2"},
                                                              {L"--pid", L"pid"},   {L"--install-time", L"installtime"}};
  for (int i = 2; i < argc; ++i) {
    const std::wstring name = argv[i];
    if (flags.count(name)) {
      *flags.at(name) = true;
      continue;
    }
    if (i + 1 >= argc) {
      error = L"missing value after " + name;
      return false;
    }
    const std::wstring value = argv[++i];
    long long number = 0;
    if (name == L"--type" && ToNumber(value, number)) {
      hostType = static_cast<int>(number);
    } else if (name == L"--root") {
      root = value;
    } else if (numbers.count(name) && ToNumber(value, number)) {
      *numbers.at(name) = static_cast<int>(number);
    } else if (texts.count(name)) {
      *texts.at(name) = value;
    } else if (channelFields.count(name) && ToNumber(value, number)) {
      channel[channelFields.at(name)] = static_cast<unsigned long>(number);
    } else if (name == L"--wexutil-rule" && i + 1 < argc) {
      wexutilRules.emplace_back(value, argv[++i]);
    } else {
      error = L"unknown option or bad value: " + name + L" " + value;
      return false;
    }
  }
  if (root.size() < 4 || (command != L"install" && command != L"remove") || !product::HostProfile::Find(hostType)) {
    error = L"need install|remove, --type 1..7 and a --root folder";
    return false;
  }
  if (root.back() != L'\\') root += L'\\';
  return true;
}

}  // namespace fixture
