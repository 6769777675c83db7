#include <gtest/gtest.h>

#include "TestFiles.h"
#include "uxwin/dpi/UxDpiContext.h"

using UxWin::UxDpiContext;
using UxWin::UxDpiSettings;

namespace {

UxDpiSettings Debug(int dpi, const wchar_t* processes = L"WystanPDF.exe|tessik.exe") {
  UxDpiSettings settings;
  settings.debug = 1;
  settings.debugDpi = dpi;
  settings.supportProcess = processes;
  return settings;
}

UxDpiContext Context(UxDpiSettings settings, const std::wstring& hostDirectory = L"C:\\nowhere") {
  return UxDpiContext(std::move(settings), hostDirectory, L"WystanPDF", L"pagesdkutil");
}

}  // namespace

TEST(UxDpi, NoSettingsFileMeansNoScaling) {
  const UxDpiSettings settings = UxDpiSettings::Load(L"C:\\no\\such\\dpisetting.ini");
  EXPECT_EQ(settings.switchOn, 0);
  EXPECT_EQ(settings.debug, 0);
  EXPECT_EQ(settings.mode, 2);
  EXPECT_EQ(settings.supportRates, (std::vector<double>{1.0, 1.2, 1.5}));
  UxDpiContext context = Context(settings);
  EXPECT_FALSE(context.IsEnabled());
  EXPECT_EQ(context.GetDpi(), 96);
  EXPECT_DOUBLE_EQ(context.GetScale(), 1.0);
  EXPECT_EQ(context.Scale(520, true), 520);
}

TEST(UxDpi, DebugDpiInAListedProcessScalesThePopUp) {
  UxDpiContext context = Context(Debug(144));
  EXPECT_TRUE(context.IsEnabled());
  EXPECT_EQ(context.GetDpi(), 144);
  EXPECT_DOUBLE_EQ(context.GetScale(), 1.5);
  EXPECT_EQ(context.Scale(520, true), 780);
  EXPECT_EQ(context.Scale(360, true), 540);
  EXPECT_EQ(context.Scale(360, false), 360) << "objects that are not DPI aware keep their values";
  EXPECT_EQ(context.Unscale(780, true), 520);

  UxDpiContext unlisted = Context(Debug(144, L"other.exe"));
  EXPECT_EQ(unlisted.GetDpi(), 96);
  EXPECT_DOUBLE_EQ(unlisted.GetScale(), 1.0);
}

TEST(UxDpi, FactorIsTheLargestSupportedRateNotAboveTheRatio) {
  const std::pair<int, double> cases[] = {{96, 1.0}, {115, 1.0}, {116, 1.2}, {143, 1.2}, {144, 1.5}, {192, 1.5}, {72, 1.0}};
  for (const auto& [dpi, factor] : cases) EXPECT_DOUBLE_EQ(Context(Debug(dpi)).GetScale(), factor) << dpi;
  UxDpiSettings custom = Debug(120);
  custom.supportRates = UxDpiSettings::ParseRates(L"1.0|1.25");
  EXPECT_DOUBLE_EQ(Context(custom).GetScale(), 1.25);
  EXPECT_EQ(Context(custom).Scale(13, true), 16) << "truncated toward zero";
}

TEST(UxDpi, SettingsComeFromTheIniFile) {
  testing_support::TempDir dir;
  const std::wstring path = dir.File(L"dpisetting.ini");
  ASSERT_TRUE(testing_support::WriteBytes(
      path, "[basesetting]\r\nswitch=1\r\nmode=1\r\nsupportrate=1.0|1.25|x|2.0\r\nsupportprocess=a.exe|b.exe\r\n"));
  const UxDpiSettings settings = UxDpiSettings::Load(path);
  EXPECT_EQ(settings.switchOn, 1);
  EXPECT_EQ(settings.mode, 1);
  EXPECT_EQ(settings.supportRates, (std::vector<double>{1.0, 1.25, 2.0}));
  EXPECT_EQ(settings.supportProcess, L"a.exe|b.exe");
}

TEST(UxDpi, PreScaledImageIsTheClosestFileThatBeatsTheUnscaledOne) {
  testing_support::TempDir dir;
  const auto place = [&dir](const wchar_t* factor) {
    const std::wstring folder = dir.path() + L"\\ressrc\\chs\\dpiimg\\" + factor + L"\\pagesdkutil";
    const std::wstring file = folder + L"\\2001_" + factor + L".png";
    ASSERT_TRUE(testing_support::WriteBytes(file, "png"));
  };
  EXPECT_FALSE(Context(Debug(144), dir.path()).DpiImage(2001).has_value()) << "no files at all";
  place(L"1.2");
  auto image = Context(Debug(144), dir.path()).DpiImage(2001);
  ASSERT_TRUE(image.has_value());
  EXPECT_DOUBLE_EQ(image->scale, 1.2);
  EXPECT_NE(image->path.find(L"\\1.2\\pagesdkutil\\2001_1.2.png"), std::wstring::npos);
  EXPECT_FALSE(Context(Debug(96), dir.path()).DpiImage(2001).has_value()) << "factor 1.0 never uses one";

  place(L"1.5");
  EXPECT_DOUBLE_EQ(Context(Debug(144), dir.path()).DpiImage(2001)->scale, 1.5) << "the exact factor wins";
  EXPECT_FALSE(Context(Debug(144), dir.path()).DpiImage(2002).has_value());

  // At 1.2 with only a 1.5 file the unscaled image is closer.
  testing_support::TempDir sparse;
  const std::wstring file = sparse.path() + L"\\ressrc\\chs\\dpiimg\\1.5\\pagesdkutil\\2001_1.5.png";
  ASSERT_TRUE(testing_support::WriteBytes(file, "png"));
  EXPECT_FALSE(Context(Debug(120), sparse.path()).DpiImage(2001).has_value());
}
