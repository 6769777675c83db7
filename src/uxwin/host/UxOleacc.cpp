#include "uxwin/host/UxOleacc.h"

namespace {

using ResultFromObjectFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using CreateStandardObjectFn = HRESULT(WINAPI*)(HWND, LONG, REFIID, void**);

}  // namespace

void* UxOleacc::Function(const char* name) {
  // Loaded once and kept: its own objects may outlive any one window.
  static const HMODULE library = LoadLibraryExW(L"oleacc.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return library ? reinterpret_cast<void*>(GetProcAddress(library, name)) : nullptr;
}

LRESULT UxOleacc::ResultFromObject(REFIID iid, WPARAM wParam, IUnknown* object) {
  const auto function = reinterpret_cast<ResultFromObjectFn>(Function("LresultFromObject"));
  return function ? function(iid, wParam, object) : static_cast<LRESULT>(E_NOTIMPL);
}

HRESULT UxOleacc::CreateStandardObject(HWND window, LONG objectId, REFIID iid, void** object) {
  const auto function = reinterpret_cast<CreateStandardObjectFn>(Function("CreateStdAccessibleObject"));
  return function ? function(window, objectId, iid, object) : E_NOTIMPL;
}
