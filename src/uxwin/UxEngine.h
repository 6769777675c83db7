#pragma once

// The skin engine's one-time set-up: the string (60002), skins (60000) and style (60001)
// documents from the module's resources, once per process whatever the number of controllers.
class UxEngine {
 public:
  static void SetUpOnce();
};
