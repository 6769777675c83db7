#pragma once

#include <windows.h>
#include <oleacc.h>

#include <atomic>
#include <vector>

#include "uxwin/host/UxAccessibleTree.h"

class CUxHostWindow;
class CUxWindow;

// The host window's client object for accessibility clients (WM_GETOBJECT, OBJID_CLIENT): the
// dialog itself (CHILDID_SELF) and its controls as simple elements, child ids 1..n in the order
// of UxAccessibleTree. The system's standard client object answers for the window's place among
// other windows (parent, navigation out of the window). Disconnect() when the window goes: later
// calls then fail with CO_E_OBJNOTCONNECTED, and the last client's Release frees it.
class UxAccessible final : public IAccessible {
 public:
  explicit UxAccessible(CUxHostWindow& host);
  UxAccessible(const UxAccessible&) = delete;
  UxAccessible& operator=(const UxAccessible&) = delete;

  void Disconnect();

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: no type information; clients call the vtable.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* text) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // The string id of the buttons' default action ("press") in the string document.
  static constexpr int kPressStringId = 15;

 private:
  ~UxAccessible();
  // S_OK while the window lives and the call runs on its thread (COM brings calls there when the
  // thread is a single-threaded apartment; in the multithreaded one it does not, and the controls
  // are not touched from elsewhere).
  HRESULT Check() const;
  // Checks the host and the child id: S_OK with the control (null for the dialog itself).
  HRESULT Lookup(const VARIANT& child, CUxWindow*& control, long& role);
  static HRESULT Text(const std::wstring& text, BSTR* out);

  std::atomic<ULONG> references_{1};
  CUxHostWindow* host_;
  const DWORD threadId_ = GetCurrentThreadId();  // the window's: made there, answers only there
  IAccessible* standard_ = nullptr;
  std::vector<UxAccessibleTree::Node> nodes_;  // refreshed on each lookup
};
