#pragma once

#include <windows.h>
#include <unknwn.h>

// The two functions of the system's accessibility library the host window needs, loaded on the
// first question of an accessibility client: a host that never meets one never loads the library,
// and a module loaded and freed again and again does not load and free it each time.
class UxOleacc {
 public:
  // As LresultFromObject; E_NOTIMPL when the library is not there.
  static LRESULT ResultFromObject(REFIID iid, WPARAM wParam, IUnknown* object);
  // As CreateStdAccessibleObject; E_NOTIMPL when the library is not there.
  static HRESULT CreateStandardObject(HWND window, LONG objectId, REFIID iid, void** object);

 private:
  static void* Function(const char* name);
};
