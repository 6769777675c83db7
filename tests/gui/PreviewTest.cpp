// The preview command against the real pop-up under Xvfb: for the demo's campaign its PNG equals,
// pixel for pixel, the back buffer of the pop-up shown modally here with the same inputs; other
// factors give other sizes; it leaves the state file and the journals alone; bad input is refused.
// With --fetch it draws the pictures the file server gives; with --sheet, the contact sheet of every
// host type, count-down state and factor.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>
#include <vector>

#include "ChildProcess.h"
#include "FakePopServices.h"
#include "TestFiles.h"
#include "VipCenterService.h"
#include "lint/CampaignItem.h"
#include "lint/PopImageBoxes.h"
#include "strategy/PopImageChecker.h"
#include "ui/NewUserDiscountPopDlg.h"
#include "utils/TextEncoding.h"
#include "uxwin/host/UxNotifyRecord.h"
#include "uxwin/skin/UxCanvas.h"
#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

using ui::NewUserDiscountPopDlg;

namespace {

// The demo's campaign, made by the ctest fixture with tools/images/make_campaign.py.
std::wstring Campaign() { return testing_support::ExecutableFolder() + L"artifacts\\tools-campaign"; }

struct Picture {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;  // premultiplied 0xAARRGGBB
};

bool LoadPng(const std::wstring& path, Picture& picture) {
  if (!UxGdiplus::Start()) return false;
  Gdiplus::Bitmap bitmap(path.c_str());
  if (bitmap.GetLastStatus() != Gdiplus::Ok) return false;
  picture.width = static_cast<int>(bitmap.GetWidth());
  picture.height = static_cast<int>(bitmap.GetHeight());
  picture.pixels.assign(static_cast<size_t>(picture.width) * picture.height, 0);
  Gdiplus::BitmapData data{};
  data.Width = static_cast<UINT>(picture.width);
  data.Height = static_cast<UINT>(picture.height);
  data.Stride = picture.width * 4;
  data.PixelFormat = PixelFormat32bppPARGB;
  data.Scan0 = picture.pixels.data();
  Gdiplus::Rect area(0, 0, picture.width, picture.height);
  if (bitmap.LockBits(&area, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf, PixelFormat32bppPARGB,
                      &data) != Gdiplus::Ok) {
    return false;
  }
  bitmap.UnlockBits(&data);
  return true;
}

// The pop-up's services with the campaign's item as the remote configuration, as the module has
// them in the demo: host type 1, the service's price (79 instead of 89 for 12 months), pictures in
// place, a logged-in user.
class CampaignServices : public testing_support::FakePopServices {
 public:
  CampaignServices(campaign::CampaignItem item, std::wstring folder)
      : FakePopServices(std::move(folder)), item_(std::move(item)) {}
  int ConfigInt(const std::wstring& field, int value) override { return item_.Int(field, value); }
  bool ImagesValid() override {
    return strategy::PopImageChecker::AllValid(strategy::PopImageChecker::Check(
        item_.String(L"bg_url", L""), item_.String(L"close_btn_url", L""), item_.String(L"confirm_btn_url", L""),
        UtilFolder()));
  }
  void ReportPop(int adShow, int adClick, int) override {
    if (adShow == 1 && adClick == 0 && onShown) onShown();
  }

  std::function<void()> onShown;

 private:
  campaign::CampaignItem item_;
};

// What the shown window held, read on its own thread from inside the modal loop.
struct Capture {
  NewUserDiscountPopDlg* dialog = nullptr;
  Picture picture;
  bool visible = false;
  std::map<int, RECT> boxes;
  int ticks = 0;
};
Capture* g_capture = nullptr;

void CALLBACK CaptureTick(HWND, UINT, UINT_PTR timer, DWORD) {
  Capture& capture = *g_capture;
  NewUserDiscountPopDlg& dialog = *capture.dialog;
  const bool painted = dialog.back_buffer().canvas() && !dialog.back_buffer().NeedsPaint();
  if ((!painted || !IsWindowVisible(dialog.hwnd())) && ++capture.ticks < 200) return;  // not on screen yet
  KillTimer(nullptr, timer);
  capture.visible = IsWindowVisible(dialog.hwnd()) != FALSE;
  if (const UxCanvas* canvas = dialog.back_buffer().canvas()) {
    GdiFlush();
    capture.picture.width = canvas->width();
    capture.picture.height = canvas->height();
    capture.picture.pixels.assign(canvas->bits(), canvas->bits() + static_cast<size_t>(canvas->width()) * canvas->height());
  }
  for (const int id : {1001, 1002, 1003}) {
    if (CUxWindow* control = dialog.FindChildByCmdID(id)) capture.boxes[id] = control->rect();
  }
  UxNotifyRecord close{{dialog.hwnd(), UxNotifyCode::kIdentifier, UxNotifyCode::kCommand}, 1002, "storageimagebtn"};
  SendMessageW(dialog.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&close));
}

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

int RunPreview(const std::wstring& arguments, std::string& output) {
  return testing_support::ChildProcess::RunCapturing(L"preview.exe", arguments, output);
}

std::vector<std::wstring> FilesIn(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

class PreviewMatch : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::FileExists(Campaign() + L"\\zvanta.json")) << "the campaign fixture did not run";
    std::wstring error;
    ASSERT_TRUE(campaign::CampaignItem::Load(Campaign() + L"\\zvanta.json", item, error));
  }
  campaign::CampaignItem item;
  testing_support::TempDir scratch;
};

}  // namespace

TEST_F(PreviewMatch, DemoScenarioEqualsTheShownPopUpPixelForPixel) {
  // The real pop-up, shown modally, pictures in its folder as after a refresh.
  testing_support::TempDir util;
  for (const wchar_t* name : {L"new_user_discount_background.png", L"new_user_discount_close_btn.png",
                              L"new_user_discount_confirm_btn.png"}) {
    ASSERT_TRUE(CopyFileW((Campaign() + L"\\images\\" + name).c_str(), util.File(name).c_str(), FALSE));
  }
  SetCursorPos(0, 0);  // no hover state on a button
  auto services = std::make_shared<CampaignServices>(item, util.path());
  auto dialog = std::make_unique<NewUserDiscountPopDlg>(services);
  Capture capture;
  capture.dialog = dialog.get();
  g_capture = &capture;
  services->onShown = [] { SetTimer(nullptr, 0, 50, &CaptureTick); };
  ASSERT_TRUE(dialog->Initialize());  // the worker's refresh brings the price
  for (int i = 0; i < 1000 && !dialog->CurrentPrice().valid; ++i) Sleep(20);
  ASSERT_TRUE(dialog->CurrentPrice().valid);
  ASSERT_EQ(dialog->Show(), 2);
  dialog->UnInitialize();
  ASSERT_TRUE(capture.visible);
  ASSERT_EQ(capture.picture.width, 520);

  const std::wstring png = scratch.File(L"preview.png");
  std::string output;
  ASSERT_EQ(RunPreview(L"--config " + Quoted(Campaign() + L"\\zvanta.json") + L" --images " +
                           Quoted(Campaign() + L"\\images") + L" --host-type 1 --price 79/89/12 --out " + Quoted(png),
                       output),
            0)
      << output;
  Picture preview;
  ASSERT_TRUE(LoadPng(png, preview));
  ASSERT_EQ(preview.width, capture.picture.width);
  ASSERT_EQ(preview.height, capture.picture.height);
  size_t differing = 0, first = 0;
  for (size_t i = 0; i < preview.pixels.size(); ++i) {
    if (preview.pixels[i] == capture.picture.pixels[i]) continue;
    if (differing++ == 0) first = i;
  }
  EXPECT_EQ(differing, 0u) << "first at (" << first % preview.width << ", " << first / preview.width << "): preview "
                           << std::hex << preview.pixels[first] << ", window " << capture.picture.pixels[first];
  CopyFileW(png.c_str(), (testing_support::ExecutableFolder() + L"artifacts\\preview-demo.png").c_str(), FALSE);

  // The linter's picture sizes are where the layout draws the pictures.
  for (const campaign::PopImageBox& box : campaign::kPopImageBoxes) {
    const RECT& rect = capture.boxes[box.controlId];
    EXPECT_EQ(rect.right - rect.left, box.width) << box.controlId;
    EXPECT_EQ(rect.bottom - rect.top, box.height) << box.controlId;
  }
}

TEST_F(PreviewMatch, FactorsGiveTheirSizes) {
  for (const auto& [factor, width, height] : {std::tuple{L"1.5", 780, 540}, std::tuple{L"1.2", 624, 432}}) {
    const std::wstring png = scratch.File(std::wstring(L"preview-") + factor + L".png");
    std::string output;
    ASSERT_EQ(RunPreview(L"--config " + Quoted(Campaign() + L"\\zvanta.json") + L" --images " +
                             Quoted(Campaign() + L"\\images") + L" --host-type 1 --price 79/89/12 --dpi " + factor +
                             L" --out " + Quoted(png),
                         output),
              0)
        << output;
    Picture picture;
    ASSERT_TRUE(LoadPng(png, picture));
    EXPECT_EQ(picture.width, width) << factor;
    EXPECT_EQ(picture.height, height) << factor;
  }
}

TEST_F(PreviewMatch, LeavesTheStateFileAndTheJournalsAlone) {
  // Pictures given from a module folder that also holds the state file, journals directed to a folder.
  testing_support::TempDir util, journals;
  for (const std::wstring& name : FilesIn(Campaign() + L"\\images")) {
    ASSERT_TRUE(CopyFileW((Campaign() + L"\\images\\" + name).c_str(), util.File(name).c_str(), FALSE));
  }
  const std::string state = "[new_user_discount]\r\nlast_show_time=0\r\n";
  ASSERT_TRUE(testing_support::WriteBytes(util.File(L"sdkutilcfg.ini"), state));
  const std::vector<std::wstring> before = FilesIn(util.path());
  SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", journals.path().c_str());
  std::string output;
  const int code = RunPreview(L"--config " + Quoted(Campaign() + L"\\zvanta.json") + L" --images " + Quoted(util.path()) +
                                  L" --host-type 2 --price 79/89/12 --count-down hours:0 --out " +
                                  Quoted(scratch.File(L"p.png")),
                              output);
  SetEnvironmentVariableW(L"ACTIVITY_JOURNAL_DIR", nullptr);
  ASSERT_EQ(code, 0) << output;
  EXPECT_EQ(testing_support::ReadBytes(util.File(L"sdkutilcfg.ini")), state);
  EXPECT_EQ(FilesIn(util.path()), before);
  EXPECT_TRUE(FilesIn(journals.path()).empty());
  EXPECT_TRUE(testing_support::FileExists(scratch.File(L"p.png")));
}

TEST_F(PreviewMatch, RefusesWhatItCannotDrawAndWarnsOfRejectedPictures) {
  std::string output;
  const std::wstring images = L" --images " + Quoted(Campaign() + L"\\images");
  const std::wstring out = L" --out " + Quoted(scratch.File(L"bad.png"));
  EXPECT_EQ(RunPreview(L"--config " + Quoted(Campaign() + L"\\zvanta.json") + images, output), 2) << "no --out";
  EXPECT_EQ(RunPreview(L"--config " + Quoted(scratch.File(L"missing.json")) + images + out, output), 2);
  EXPECT_EQ(RunPreview(L"--config [1,2]" + images + out, output), 2);
  EXPECT_EQ(RunPreview(L"--config " + Quoted(Campaign() + L"\\zvanta.json") + images + out + L" --dpi 2.0", output), 2);
  EXPECT_EQ(RunPreview(L"--config " + Quoted(Campaign() + L"\\zvanta.json") + L" --images " +
                           Quoted(scratch.path()) + out, output), 2) << "no pictures there";
  EXPECT_FALSE(testing_support::FileExists(scratch.File(L"bad.png")));
  // Pictures that do not match their URLs: drawn, with exit code 1.
  const std::wstring other = L"{\"bg_url\":\"https://x/0123456789abcdef0123456789abcdef.png\","
                             L"\"close_btn_url\":\"https://x/11111111111111111111111111111111.png\","
                             L"\"confirm_btn_url\":\"https://x/22222222222222222222222222222222.png\"}";
  ASSERT_TRUE(testing_support::WriteBytes(scratch.File(L"other.json"), qm::encoding::WideToUtf8(other)));
  EXPECT_EQ(RunPreview(L"--config " + Quoted(scratch.File(L"other.json")) + images + out, output), 1) << output;
  EXPECT_TRUE(testing_support::FileExists(scratch.File(L"bad.png")));
}

TEST_F(PreviewMatch, SheetHasEveryHostTypeCountDownStateAndFactor) {
  const std::wstring png = scratch.File(L"sheet.png");
  std::string output;
  ASSERT_EQ(RunPreview(L"--config " + Quoted(Campaign() + L"\\zvanta.json") + L" --images " +
                           Quoted(Campaign() + L"\\images") + L" --price 79/89/12 --sheet --out " + Quoted(png),
                       output),
            0)
      << output;
  Picture sheet;
  ASSERT_TRUE(LoadPng(png, sheet));
  // 7 rows of the tallest cell (540) with a label, 9 columns: 3 states at 520, 624 and 780.
  EXPECT_NEAR(sheet.width, 16 + 3 * (520 + 16) + 3 * (624 + 16) + 3 * (780 + 16), 3);
  EXPECT_EQ(sheet.height, 16 + 7 * (540 + 22 + 16));
  CopyFileW(png.c_str(), (testing_support::ExecutableFolder() + L"artifacts\\preview-sheet.png").c_str(), FALSE);
}

TEST_F(PreviewMatch, FetchDrawsWhatTheServerGives) {
  testing_support::VipCenterService service;
  ASSERT_TRUE(service.running());
  CreateDirectoryW(service.FilesFolder().c_str(), nullptr);
  std::wstring item = L"{\"count_down_enable\": \"1\", \"recommand_package_months\": \"12\"";
  const std::wstring base = L"http://127.0.0.1:" + std::to_wstring(service.httpPort()) + L"/files/";
  for (const auto& [field, name] : {std::pair{L"bg_url", L"new_user_discount_background.png"},
                                    std::pair{L"close_btn_url", L"new_user_discount_close_btn.png"},
                                    std::pair{L"confirm_btn_url", L"new_user_discount_confirm_btn.png"}}) {
    const std::wstring source = Campaign() + L"\\images\\" + name;
    const std::wstring md5 = strategy::PopImageChecker::FileMd5(source);
    ASSERT_TRUE(CopyFileW(source.c_str(), (service.FilesFolder() + L"\\" + md5 + L".png").c_str(), FALSE));
    item += std::wstring(L", \"") + field + L"\": \"" + base + md5 + L".png\"";
  }
  ASSERT_TRUE(testing_support::WriteBytes(scratch.File(L"fetch.json"), qm::encoding::WideToUtf8(item + L"}")));
  std::string output;
  const std::wstring common = L"--config " + Quoted(scratch.File(L"fetch.json")) + L" --host-type 2 --price 59/99/24";
  ASSERT_EQ(RunPreview(common + L" --fetch --out " + Quoted(scratch.File(L"fetched.png")), output), 0) << output;
  ASSERT_EQ(RunPreview(common + L" --images " + Quoted(Campaign() + L"\\images") + L" --out " +
                           Quoted(scratch.File(L"local.png")), output), 0) << output;
  Picture fetched, local;
  ASSERT_TRUE(LoadPng(scratch.File(L"fetched.png"), fetched));
  ASSERT_TRUE(LoadPng(scratch.File(L"local.png"), local));
  EXPECT_EQ(fetched.pixels, local.pixels);
}
