#pragma once

// The skin engine's one-time set-up: the string (60002), skins (60000) and style (60001)
// documents from the module's resources, once per process whatever the number of controllers.
// Nothing of it runs before something is to be drawn: a host where the offer cannot show never
// starts GDI+ or makes a font.
class UxEngine {
 public:
  static void SetUpOnce();
  // The set-up and the font pool (base font, private font family), on whichever thread knows first
  // that a window may follow, so that the window's creation finds them made. Thread-safe.
  static void WarmUp();
};
