#include "DemoAccessibility.h"

#include <oleacc.h>

#include <cwchar>

namespace demo {

namespace {

VARIANT Child(long id) {
  VARIANT child;
  VariantInit(&child);
  child.vt = VT_I4;
  child.lVal = id;
  return child;
}

std::wstring Take(BSTR text) {
  std::wstring out = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return out;
}

std::wstring RoleText(long role) {
  wchar_t text[128] = {};
  return GetRoleTextW(static_cast<DWORD>(role), text, 128) ? text : L"role " + std::to_wstring(role);
}

}  // namespace

std::wstring DemoAccessibility::StateText(long state) {
  std::wstring text;
  for (long bit = 1; bit > 0 && bit <= state; bit <<= 1) {
    if (!(state & bit)) continue;
    wchar_t name[128] = {};
    if (!GetStateTextW(static_cast<DWORD>(bit), name, 128)) continue;
    text += (text.empty() ? L"" : L", ") + std::wstring(name);
  }
  return text.empty() ? L"normal" : text;
}

std::wstring DemoAccessibility::Node(IAccessible& object, long child) {
  const VARIANT id = Child(child);
  VARIANT role;
  VARIANT state;
  VariantInit(&role);
  VariantInit(&state);
  BSTR name = nullptr;
  BSTR action = nullptr;
  long left = 0, top = 0, width = 0, height = 0;
  object.get_accRole(id, &role);
  object.get_accState(id, &state);
  object.get_accName(id, &name);
  object.get_accDefaultAction(id, &action);
  object.accLocation(&left, &top, &width, &height, id);
  wchar_t place[96] = {};
  std::swprintf(place, 96, L"at %ld,%ld size %ldx%ld", left, top, width, height);
  std::wstring line = L"demo: accessibility: " + (child == CHILDID_SELF ? std::wstring() : L"  " + std::to_wstring(child) + L" ");
  line += (role.vt == VT_I4 ? RoleText(role.lVal) : L"?") + L" \"" + Take(name) + L"\" [" +
          (state.vt == VT_I4 ? StateText(state.lVal) : L"?") + L"] " + place;
  const std::wstring press = Take(action);
  if (!press.empty()) line += L" action \"" + press + L"\"";
  return line + L"\n";
}

std::wstring DemoAccessibility::Describe(HWND window) {
  // A screen reader's thread of its own: the answer comes through COM from the window's thread.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  IAccessible* object = nullptr;
  const HRESULT got = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                                 reinterpret_cast<void**>(&object));
  std::wstring text;
  if (FAILED(got) || !object) {
    wchar_t line[96] = {};
    std::swprintf(line, 96, L"demo: accessibility: the window gave no object (0x%08lx)\n", static_cast<unsigned long>(got));
    text = line;
  } else {
    long count = 0;
    object->get_accChildCount(&count);
    text = Node(*object, CHILDID_SELF);
    for (long child = 1; child <= count; ++child) text += Node(*object, child);
    object->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return text;
}

}  // namespace demo
