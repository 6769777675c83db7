#include "uxwin/style/UxFontPool.h"

#include <cstring>

#include "utils/FileUtil.h"
#include "uxwin/dpi/UxDpiContext.h"
#include "uxwin/skin/UxGdiplus.h"
#include "uxwin/skin/UxGdiplusHeaders.h"

namespace {

const wchar_t kYaHeiChinese[] = L"\u5fae\u8f6f\u96c5\u9ed1";  // 微软雅黑
const wchar_t kSongChinese[] = L"\u5b8b\u4f53";               // 宋体

bool RegistryFontValueExists(const std::wstring& name) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Fonts", 0, KEY_READ,
                    &key) != ERROR_SUCCESS) {
    return false;
  }
  const bool exists = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(key);
  return exists;
}

std::wstring FontFileOf(const std::wstring& face) {
  if (face == kYaHeiChinese || face == L"Microsoft YaHei") return L"msyh.ttf";
  if (face == kSongChinese) return L"simsun.ttc";
  if (face == L"SimSun") return L"SimSun.ttc";
  return {};
}

}  // namespace

namespace {

UxFontPool* processPool = nullptr;  // set once, by Instance

}  // namespace

UxFontPool& UxFontPool::Instance() {
  static UxFontPool* const instance = processPool = new UxFontPool(&RegistryFontValueExists);
  return *instance;
}

void UxFontPool::ReleaseAtUnload() {
  if (processPool) processPool->ReleaseFonts();
}

std::wstring UxFontPool::ChooseFace(const std::function<bool(const std::wstring&)>& exists) {
  const std::pair<std::wstring, std::wstring> probes[] = {
      {std::wstring(kYaHeiChinese) + L" (TrueType)", kYaHeiChinese},
      {L"Microsoft YaHei (TrueType)", L"Microsoft YaHei"},
      {L"Microsoft YaHei (TrueType) & Microsoft YaHei UI (TrueType)", L"Microsoft YaHei"},
      {L"Microsoft YaHei & Microsoft YaHei UI (TrueType)", L"Microsoft YaHei"},
      {std::wstring(kSongChinese) + L" & \u65b0\u5b8b\u4f53 (TrueType)", kSongChinese},
      {L"SimSun & NSimSun (TrueType)", L"SimSun"}};
  for (const auto& [value, face] : probes) {
    if (exists(value)) return face;
  }
  return kSongChinese;
}

int UxFontPool::HeightFor(uint16_t code, double factor) {
  const int height = kBaseHeight - static_cast<int8_t>(code >> 8);
  return static_cast<int>(height * factor);
}

UxFontPool::UxFontPool(const std::function<bool(const std::wstring&)>& fontValueExists)
    : face_(ChooseFace(fontValueExists)) {
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(base_), &base_);
  base_.lfHeight = kBaseHeight;
  wcsncpy(base_.lfFaceName, face_.c_str(), LF_FACESIZE - 1);
  base_.lfFaceName[LF_FACESIZE - 1] = L'\0';
  base_.lfQuality = IsYaHei() ? CLEARTYPE_QUALITY : ANTIALIASED_QUALITY;
  fonts_[0] = CreateFontIndirectW(&base_);
  LoadPrivateFamily();
}

UxFontPool::~UxFontPool() {
  ReleaseFonts();  // the GDI+ fonts made from the family go first
  family_.reset();
  privateFonts_.reset();
  ReleaseFonts();
}

void UxFontPool::ReleaseFonts() {
  {
    std::lock_guard<std::mutex> hold(gdiplusLock_);
    gdiplusFonts_.clear();
  }
  for (auto& [key, font] : fonts_) DeleteObject(font);
  fonts_.clear();
}

bool UxFontPool::IsYaHei() const { return face_ == kYaHeiChinese || face_ == L"Microsoft YaHei"; }

void UxFontPool::LoadPrivateFamily() {
  const std::wstring file = FontFileOf(face_);
  wchar_t windows[MAX_PATH] = {};
  if (file.empty() || !GetWindowsDirectoryW(windows, MAX_PATH) || !UxGdiplus::Start()) return;
  const std::wstring path = std::wstring(windows) + L"\\fonts\\" + file;
  if (!qm::FileUtil::IsFile(path)) return;
  privateFonts_ = std::make_unique<Gdiplus::PrivateFontCollection>();
  if (privateFonts_->AddFontFile(path.c_str()) != Gdiplus::Ok || privateFonts_->GetFamilyCount() < 1) return;
  family_ = std::make_unique<Gdiplus::FontFamily>();
  int found = 0;
  privateFonts_->GetFamilies(1, family_.get(), &found);
  if (found < 1) family_.reset();
}

HFONT UxFontPool::GetFont(uint16_t code, bool dpiScaled) {
  // The factor's settings changed (no window of the engine is open then): heights are made again.
  const unsigned generation = UxWin::UxDpiContext::Generation();
  if (generation != dpiGeneration_) {
    ReleaseFonts();
    dpiGeneration_ = generation;
  }
  const uint32_t key = code | (dpiScaled ? 0x80000000u : 0u);
  const auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  LOGFONTW font = base_;
  font.lfWeight = (code & 0x04) ? FW_BOLD : FW_NORMAL;
  font.lfItalic = (code & 0x01) ? TRUE : FALSE;
  font.lfUnderline = (code & 0x02) ? TRUE : FALSE;
  font.lfHeight = HeightFor(code, dpiScaled ? UxWin::UxDpiContext::Instance().GetScale() : 1.0);
  return fonts_[key] = CreateFontIndirectW(&font);
}

Gdiplus::Font* UxFontPool::GdiplusFont(HDC dc, HFONT font) {
  LOGFONTW logFont{};
  if (!font || !GetObjectW(font, sizeof(logFont), &logFont)) return nullptr;
  std::lock_guard<std::mutex> hold(gdiplusLock_);
  MadeFont& made = gdiplusFonts_[font];
  if (!made.font || std::memcmp(&made.logFont, &logFont, sizeof(logFont)) != 0) {
    made = MadeFont{logFont, CreateGdiplusFont(dc, font)};
  }
  return made.font.get();
}

std::unique_ptr<Gdiplus::Font> UxFontPool::CreateGdiplusFont(HDC dc, HFONT font) {
  if (!UxGdiplus::Start()) return nullptr;
  LOGFONTW logFont{};
  if (font && GetObjectW(font, sizeof(logFont), &logFont) && family_) {
    int style = Gdiplus::FontStyleRegular;
    if (logFont.lfWeight >= FW_BOLD) style |= Gdiplus::FontStyleBold;
    if (logFont.lfItalic) style |= Gdiplus::FontStyleItalic;
    if (logFont.lfUnderline) style |= Gdiplus::FontStyleUnderline;
    if (logFont.lfStrikeOut) style |= Gdiplus::FontStyleStrikeout;
    auto fromFamily = std::make_unique<Gdiplus::Font>(family_.get(), static_cast<Gdiplus::REAL>(-logFont.lfHeight),
                                                      style, Gdiplus::UnitPixel);
    if (fromFamily->IsAvailable()) return fromFamily;
  }
  auto fromDc = std::make_unique<Gdiplus::Font>(dc, font);
  return fromDc->IsAvailable() ? std::move(fromDc) : nullptr;
}
