#pragma once

#include "uxwin/host/CUxHostWindow.h"

// The host template a concrete skinned dialog derives from, naming itself first. The dialog's
// ProcessWindowMessage(hwnd, message, wParam, lParam, result) runs before the host's handling
// and returns true for what it handled. Section is the class of the header, body and footer.
template <class T, class Section = CUxDialog>
class CUxDialogViewImplEx : public CUxHostWindow {
 protected:
  bool OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
    return static_cast<T*>(this)->ProcessWindowMessage(hwnd(), message, wParam, lParam, result);
  }
};
