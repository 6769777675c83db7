#pragma once

// GDI+ for the engine: started once, on first use, and left running for the life of the process
// (it must not be shut down while a module unloads).
class UxGdiplus {
 public:
  static bool Start();
};
