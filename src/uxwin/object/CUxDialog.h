#pragma once

#include "uxwin/object/CUxPanel.h"

// A panel whose children are placed by their own "pos" against its inner rectangle (its rect
// less its style's margins).
class CUxDialog : public CUxPanel {
 public:
  CUxDialog();
  const char* GetObjectClass() const override { return "dlg"; }
  bool IsClass(const char* name) const override;

  // A position item against an extent: from the start, the end ("-") or the centre ("|").
  static LONG Resolve(const UxWin::UxPosition::Item& item, LONG start, LONG end);
};
