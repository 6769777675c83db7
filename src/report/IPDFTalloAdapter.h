#pragma once

namespace report {

// One reporting path: a record is begun with its schema, filled field by field in schema order and
// submitted. Every result is a bool; an adapter without its reporting component answers false.
class IPDFTalloAdapter {
 public:
  virtual ~IPDFTalloAdapter() = default;                                          // 0
  virtual bool Begin(const wchar_t* schema) = 0;                                  // 1
  virtual bool SetInt(const wchar_t* name, int value) = 0;                        // 2
  virtual bool SetString(const wchar_t* name, const wchar_t* value) = 0;          // 3
  virtual bool SubmitFallback(int mode) = 0;                                      // 4: after a failed submit
  virtual bool Submit() = 0;                                                      // 5
  virtual bool SetIntEx(const wchar_t* name, int value, int extra) = 0;           // 6
};

}  // namespace report
