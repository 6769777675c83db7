#pragma once

#include <windows.h>

#include <string>

namespace siblings {

// The stand-ins' exports fail on purpose as their behaviour file says: "fail" refuses (the
// out-parameter untouched), "null-object" succeeds without an object; otherwise the export hands
// out what make() returns. No exception leaves the export.
template <class Out, class Make>
HRESULT HandOutAsTold(const std::string& behaviour, Out** out, Make make) {
  if (behaviour.rfind("fail", 0) == 0) return E_FAIL;
  if (behaviour.rfind("null-object", 0) == 0) {
    *out = nullptr;
    return S_OK;
  }
  try {
    *out = make();
  } catch (...) {
    return E_OUTOFMEMORY;
  }
  return S_OK;
}

}  // namespace siblings
