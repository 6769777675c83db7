#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <mutex>
#include <memory>
#include <string>

namespace Gdiplus {
class Font;
class FontFamily;
class PrivateFontCollection;
}  // namespace Gdiplus

// GDI fonts by 16-bit font code (low byte: 1 italic, 2 underline, 4 bold; high byte: a signed size
// step) relative to one base font chosen from the fonts installed on the machine.
class UxFontPool {
 public:
  static constexpr int kBaseHeight = -12;

  static UxFontPool& Instance();
  // faceExists tells whether a value name exists under the system's Fonts key.
  explicit UxFontPool(const std::function<bool(const std::wstring&)>& fontValueExists);
  ~UxFontPool();
  UxFontPool(const UxFontPool&) = delete;
  UxFontPool& operator=(const UxFontPool&) = delete;

  // Code 0 without scaling is the base font; dpiScaled multiplies the height by the DPI factor.
  HFONT GetFont(uint16_t code, bool dpiScaled);
  const std::wstring& GetDefaultFaceName() const { return face_; }
  bool IsYaHei() const;
  const LOGFONTW& base() const { return base_; }
  // A GDI+ font for the font selected into the DC: from the private family of the base face when
  // its file was found, else from the DC.
  std::unique_ptr<Gdiplus::Font> CreateGdiplusFont(HDC dc, HFONT font);
  // The same, made once per font handed out and kept with it: painting and measuring ask for it
  // at every call. Null when none can be made.
  Gdiplus::Font* GdiplusFont(HDC dc, HFONT font);

  // Deletes the GDI fonts handed out so far (none may still be selected anywhere); later calls
  // create them again.
  void ReleaseFonts();
  // The process-wide pool lives until the module unloads, and its fonts must not outlive that: on
  // an unload by FreeLibrary the module's DllMain calls this. Nothing when the pool was never made.
  static void ReleaseAtUnload();

  // The face the first existing registry value names, "宋体" when none does.
  static std::wstring ChooseFace(const std::function<bool(const std::wstring&)>& fontValueExists);
  static int HeightFor(uint16_t code, double factor);

 private:
  void LoadPrivateFamily();

  std::wstring face_;
  LOGFONTW base_{};
  std::map<uint32_t, HFONT> fonts_;
  unsigned dpiGeneration_ = 0;  // the factor's settings fonts_ were made under
  std::unique_ptr<Gdiplus::PrivateFontCollection> privateFonts_;
  std::unique_ptr<Gdiplus::FontFamily> family_;
  std::mutex gdiplusLock_;
  struct MadeFont {
    LOGFONTW logFont;  // what the handle held: a handle value used again for another font misses
    std::unique_ptr<Gdiplus::Font> font;
  };
  std::map<HFONT, MadeFont> gdiplusFonts_;  // under gdiplusLock_
};
