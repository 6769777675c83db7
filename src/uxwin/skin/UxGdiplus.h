#pragma once

// GDI+ for the engine: started once, on first use, and left running for the life of the process
// (it must not be shut down while a module unloads).
#include <guiddef.h>

class UxGdiplus {
 public:
  static bool Start();
  // The class id of GDI+'s encoder for a MIME type such as "image/png"; false when there is none.
  static bool EncoderClsid(const wchar_t* mimeType, CLSID& clsid);
};
