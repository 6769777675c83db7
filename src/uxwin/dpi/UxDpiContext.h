#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "uxwin/dpi/UxDpiSettings.h"

namespace UxWin {

// A pre-scaled image file for the current factor, and the scale it already carries.
struct UxDpiImage {
  std::wstring path;
  double scale = 1.0;
};

// Whether the engine scales for a high-DPI screen, by which factor, and which pre-scaled image
// files apply. Read lazily and cached until the process's settings are changed.
class UxDpiContext {
 public:
  // hostDirectory without trailing backslash; hostBaseName and moduleBaseName without extension.
  UxDpiContext(UxDpiSettings settings, std::wstring hostDirectory, std::wstring hostBaseName,
               std::wstring moduleBaseName);

  static UxDpiContext& Instance();
  // Settings for the process's context instead of the file beside the host. A context already in
  // use starts over with them; on the UI thread, with no window of the engine open and no engine
  // work running (fonts and skins follow by Generation; windows are made again).
  static void UseSettings(const UxDpiSettings& settings);
  // Counts the changes of settings, so that what keeps a scaled result can tell it is stale.
  static unsigned Generation();

  bool IsEnabled();
  int GetDpi();
  double GetScale();
  // In per-thread mode with scaling on: sets the thread's awareness and returns the previous one.
  DPI_AWARENESS_CONTEXT SetThreadAwareness(DPI_AWARENESS_CONTEXT context);

  int Scale(int value, bool dpiAware);
  int Unscale(int value, bool dpiAware);
  std::optional<UxDpiImage> DpiImage(int id, const wchar_t* extension = L"png");

  bool IsSupportProcess() const;
  std::wstring ProbeClassName() const { return hostBaseName_ + L"_hiddenDpiAwarenessWindow"; }
  const UxDpiSettings& settings() const { return settings_; }

 private:
  void StartOver(const UxDpiSettings& settings);
  void DecideEnabled();
  void InitialiseOnce();
  void CreateProbeWindow();
  std::wstring DpiImagePath(double factor, int id, const wchar_t* extension) const;

  UxDpiSettings settings_;
  std::wstring hostDirectory_;
  std::wstring hostBaseName_;
  std::wstring moduleBaseName_;
  bool initialised_ = false;
  int enabled_ = -1;  // unknown
  int dpi_ = 0;       // not read yet
};

}  // namespace UxWin
