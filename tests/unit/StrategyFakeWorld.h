#pragma once

// A world for the new-user discount strategy: configuration, registry and clock in memory, the
// module's and the host's files real in a temporary folder. Counts what was read.

#include <map>
#include <string>

#include "TestFiles.h"
#include "strategy/IPopStrategyWorld.h"
#include "strategy/PopFiles.h"
#include "utils/FileUtil.h"
#include "utils/TextEncoding.h"
#include "utils/ZMd5.h"
#include "utils/ZTime.h"

namespace strategy_test {

inline int64_t LocalTime(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  SYSTEMTIME record{};
  record.wYear = static_cast<WORD>(year);
  record.wMonth = static_cast<WORD>(month);
  record.wDay = static_cast<WORD>(day);
  record.wHour = static_cast<WORD>(hour);
  record.wMinute = static_cast<WORD>(minute);
  record.wSecond = static_cast<WORD>(second);
  return qm::time::ZTime::FromCalendar(record);
}

inline std::wstring Md5Of(const std::string& bytes) {
  return qm::encoding::ZMd5::HexW(qm::encoding::ZMd5::Of(bytes.data(), bytes.size()));
}

class FakePopWorld : public strategy::IPopStrategyWorld {
 public:
  int tryno = 5;
  std::wstring raw = L"{\"pop_version\":\"1\"}";
  std::map<std::wstring, std::wstring> fields;  // absent: the default
  int group = 2;
  uint32_t installTime = 0;
  int64_t now = LocalTime(2024, 5, 20, 12);
  int tid1 = 1001;
  int tid2 = 2002;
  int vipState = 2;
  strategy::PriceReading price;  // by default the host needs none
  std::wstring uuid = L"0123456789ABCDEF0123456789ABCDEF";
  std::map<std::wstring, int> reads;  // what was asked, by name

  FakePopWorld() {
    installTime = static_cast<uint32_t>(LocalTime(2024, 5, 20, 8));
    PlaceImages();
  }

  std::wstring UtilFolderPath() const { return folder_.path() + L"\\local\\pagesdkutil\\"; }
  std::wstring LocalFolderPath() const { return folder_.path() + L"\\local\\"; }

  // Writes the three images and points the URLs at their MD5.
  void PlaceImages() {
    const std::pair<const wchar_t*, const wchar_t*> images[] = {{L"bg_url", strategy::kBackgroundImage},
                                                                {L"close_btn_url", strategy::kCloseImage},
                                                                {L"confirm_btn_url", strategy::kConfirmImage}};
    for (const auto& [field, file] : images) {
      const std::string bytes = "image " + qm::encoding::WideToUtf8(file);
      WriteFile(UtilFolderPath() + file, bytes);
      fields[field] = L"https://img.example/pop/" + Md5Of(bytes) + L".png";
    }
  }
  void WriteFile(const std::wstring& path, const std::string& bytes) const { qm::FileUtil::WriteAll(path, bytes); }
  void SetLastShowTime(const std::string& value) const {
    WriteFile(UtilFolderPath() + strategy::kStateFile, "[new_user_discount]\r\nlast_show_time=" + value + "\r\n");
  }
  void SetLoginRemindPopTime(int64_t seconds) const {
    WriteFile(LocalFolderPath() + L"config.ini", "[login_remind]\r\npop_time=" + std::to_string(seconds) + "\r\n");
  }
  void SetPdfPopTime(int64_t seconds) const {
    WriteFile(LocalFolderPath() + L"pdfpop\\general_local_cfg.ini",
              "[General]\r\nlastPopTime=" + std::to_string(seconds) + "\r\n");
  }
  int ReadsBesides(const std::wstring& name) const {
    int count = 0;
    for (const auto& [what, times] : reads) count += what == name ? 0 : times;
    return count;
  }

  int TryNo() override {
    ++reads[L"tryno"];
    return tryno;
  }
  std::wstring RawConfig(const std::wstring& item) override {
    ++reads[L"raw"];
    return item == Key() ? raw : std::wstring();
  }
  std::wstring ConfigString(const std::wstring& item, const std::wstring& field, const wchar_t* fallback) override {
    ++reads[field];
    const auto found = fields.find(field);
    return item == Key() && found != fields.end() && !raw.empty() ? found->second : std::wstring(fallback);
  }
  int ConfigInt(const std::wstring& item, const std::wstring& field, int fallback) override {
    ++reads[field];
    const auto found = fields.find(field);
    return item == Key() && found != fields.end() && !raw.empty() ? _wtoi(found->second.c_str()) : fallback;
  }
  int AbGroup(const std::wstring& item, int fallback) override {
    ++reads[L"group"];
    return item == Key() ? group : fallback;
  }
  strategy::InstallTimeReading InstallTime() override { return ++reads[L"install"], strategy::InstallTimeReading{installTime, L"fake"}; }
  int64_t Now() override { return now; }
  std::wstring UtilFolder() override { return UtilFolderPath(); }
  std::wstring LocalConfigFolder() override { return LocalFolderPath(); }
  int Tid1() override { return ++reads[L"tid"], tid1; }
  int Tid2() override { return tid2; }
  int VipState() override { return ++reads[L"vip"], vipState; }
  strategy::PriceReading Price() override { return price; }
  std::wstring MachineUuid() override { return ++reads[L"uuid"], uuid; }

  std::wstring Key() const { return L"new_user_discount_" + std::to_wstring(tryno); }

 private:
  testing_support::TempDir folder_;
};

}  // namespace strategy_test
