#pragma once

namespace UxWin {

// What every window offers its layout parameters: relayout requests and DPI scaling.
class IUxWindow {
 public:
  virtual void RequestRelayout() = 0;      // 0
  virtual int ScaleByDpi(int value) = 0;   // 1
  virtual int UnscaleByDpi(int value) = 0;  // 2

 protected:
  ~IUxWindow() = default;
};

}  // namespace UxWin
